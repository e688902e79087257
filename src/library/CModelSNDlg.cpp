#include "library/CModelSNDlg.h"

#include "library/CChamberWiz.h"
#include "store/ChamberCal.h"

void CModelSNDlg::CreateFields() {
    CreateTitle(title_, 24, kIdTitle, "Enter Chamber Model and Serial Number");
    CreateCaption(modelCaption_, At(16, 120, 190, 156), 1203, "Model:");
    CreateField(model_, At(200, 116, 500, 160), kIdModel);
    CreateCaption(serialCaption_, At(16, 200, 190, 236), 1204, "Serial Number:");
    CreateField(serial_, At(200, 196, 500, 240), kIdSerial);
}

void CModelSNDlg::LoadFields() {
    model_.SetText(Record().ChamberModel);
    serial_.SetText(Record().ChamberSerial);
}

bool CModelSNDlg::CanGoNext() const {
    return !model_.Text().empty() && !serial_.Text().empty();
}

void CModelSNDlg::StoreOnLeave() {
    Record().ChamberSerial = serial_.Text();
    Record().ChamberModel = model_.Text();
}

bool CModelSNDlg::OnField(int id) {
    CTouchField* field = id == kIdModel ? &model_ : id == kIdSerial ? &serial_ : nullptr;
    if (field == nullptr)
        return false;
    const char* title = id == kIdModel ? "Enter Chamber Model #" : "Enter Chamber Serial #";
    if (std::optional<std::string> entry = AskText(title, field->Text()))
        field->SetText(*entry);
    return true;
}
