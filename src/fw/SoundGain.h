#pragma once
// The volume applied to the sound samples themselves, for a machine whose sound system has
// no mixer control to take it (the sounds are 16-bit or 8-bit PCM).
#include <cstdint>

namespace fw {

inline constexpr uint16_t kUnityGain = 0xFFFF;

// The gain every sound played from now on gets; kUnityGain leaves the samples unchanged.
void SetSoftwareGain(uint16_t gain);
uint16_t SoftwareGain();

// Scales `length` bytes of samples in SDL audio `format` by gain / 65535. Signed 16-bit
// little-endian and unsigned 8-bit samples are scaled; other formats are left as they are.
void ApplyGain(uint8_t* samples, uint32_t length, uint16_t format, uint16_t gain);

}  // namespace fw
