#include "store/CDBRecord.h"

void CDBRecord::AddProps(std::span<const CDBProp> props) {
    props_.insert(props_.end(), props.begin(), props.end());
}

const CDBProp* CDBRecord::FindProp(uint16_t id) const {
    for (const CDBProp& prop : props_) {
        if (prop.Id() == id)
            return &prop;
    }
    return nullptr;
}

CDBProp* CDBRecord::FindProp(uint16_t id) {
    return const_cast<CDBProp*>(static_cast<const CDBRecord&>(*this).FindProp(id));
}

void CDBRecord::SetProp(const CDBProp& prop) {
    if (CDBProp* existing = FindProp(prop.Id())) {
        *existing = prop;
        return;
    }
    props_.push_back(prop);
}

void CDBRecord::Clear() {
    props_.clear();
    oid_ = 0;
}
