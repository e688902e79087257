#pragma once
// A library record as the database holds it: an ordered list of typed properties and the
// record's object identifier (0 until it is stored).
#include <cstdint>
#include <span>
#include <vector>

#include "store/CDBProp.h"

class CDBRecord {
  public:
    void AddProp(const CDBProp& prop) { props_.push_back(prop); }
    void AddProps(std::span<const CDBProp> props);

    // The first property with this id, or nullptr.
    const CDBProp* FindProp(uint16_t id) const;
    CDBProp* FindProp(uint16_t id);
    // Replaces the first property with the same id, or appends it when there is none.
    void SetProp(const CDBProp& prop);

    const std::vector<CDBProp>& Props() const { return props_; }
    bool Empty() const { return props_.empty(); }
    uint32_t Oid() const { return oid_; }
    void SetOid(uint32_t oid) { oid_ = oid; }

    // No properties, identifier 0.
    void Clear();

    // Same identifier and the same properties in the same order.
    bool operator==(const CDBRecord& other) const = default;

  private:
    std::vector<CDBProp> props_;
    uint32_t oid_ = 0;
};
