#pragma once
// Data files on the USB storage device: "\USB HD\<name>.csv" (comma) or ".txt" (tab), written
// whole or not at all, in the device's single-byte text.
#include <filesystem>
#include <optional>
#include <string>

#include "document/CKelvarinDoc.h"

enum class DataLayout { Measurement, Scintillator };

// Results of CheckDataFile, as the file system reports them.
inline constexpr int kFileCreated = 0;
inline constexpr int kFileExists = 80;
inline constexpr int kPathNotFound = 3;
inline constexpr int kInvalidName = 123;
inline constexpr int kAccessDenied = 5;

// A name the operator may give a data file: not empty, no folder separators, no drive or
// device colon, no "..", no control characters.
bool IsSafeDataFileName(const std::string& name);

// "\USB HD\" + name + ".csv" or ".txt" below the instrument root; nothing for an unsafe name.
std::optional<std::filesystem::path> DataFilePath(const std::string& name, int delimiter);

// kFileCreated when the file did not exist (it is created empty), kFileExists when it does,
// kPathNotFound when there is no USB device, kInvalidName for an unsafe name.
int CheckDataFile(const std::string& name, int delimiter);

// The whole file for `layout` (empty when that list has no rows), as UTF-8 text.
std::string BuildDataFile(const CKelvarinDoc& doc, DataLayout layout);

// Writes the file for `layout`; false (and `error`) when it could not be written completely.
bool WriteDataFile(const CKelvarinDoc& doc, const std::string& name, DataLayout layout,
                   std::string* error = nullptr);

// UTF-8 to the device's single-byte text (Latin-1; '?' for what it cannot hold).
std::string ToDeviceText(const std::string& utf8);

// A free-text field made safe for one column: delimiters, line breaks and quotes cannot
// shift or split columns (they become blanks, quotes become apostrophes).
std::string ColumnText(const std::string& text);
