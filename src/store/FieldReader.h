#pragma once
// Copies a stored record's properties into a record structure's fields. A field whose property
// is missing or of another type makes the whole read fail, so no field is ever left unset.
#include <cstdint>
#include <string>

#include "store/CDBRecord.h"

class FieldReader {
  public:
    explicit FieldReader(const CDBRecord& record) : record_(record) {}

    void Text(uint16_t id, std::string& field);
    void Int16(uint16_t id, int16_t& field);
    // An int16 property widened to int.
    void Int16(uint16_t id, int& field);
    // An unsigned 16-bit property into a signed field; values above 32767 fail.
    void UInt16(uint16_t id, int16_t& field);
    void Double(uint16_t id, double& field);

    bool Ok() const { return ok_; }

  private:
    const CDBProp* Find(uint16_t id);

    const CDBRecord& record_;
    bool ok_ = true;
};
