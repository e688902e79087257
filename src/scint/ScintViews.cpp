#include "scint/ScintViews.h"

#include "document/Hints.h"
#include "scint/CScintLibView.h"
#include "scint/CScintListDlg.h"
#include "scint/CScintMeasView.h"
#include "screens/ViewFactory.h"

namespace {

template <class View>
std::unique_ptr<CKelvarinFormView> MakeView() {
    return std::make_unique<View>();
}

}  // namespace

void RegisterScintViews() {
    RegisterViewMaker(PageScreen::kScintLibrary, &MakeView<CScintLibView>);
    RegisterViewMaker(PageScreen::kScintMeasurement, &MakeView<CScintMeasView>);
    RegisterScintillatorCommand(&ChooseBaselineThenMeasure);
}

void ChooseBaselineThenMeasure(CKelvarinFormView& from) {
    CScintListDlg dialog(*from.GetDoc());
    if (from.RunModal(dialog) != fw::kIdOk || !dialog.Chosen())
        return;
    from.GetDoc()->ScintBaseline = *dialog.Chosen();
    from.GetDoc()->UpdateAllViews(kHintChamber);  // the baseline in use changed
    from.SwitchToViewOrTell(MakeScintView());
}
