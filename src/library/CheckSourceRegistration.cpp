#include "library/CheckSourceRegistration.h"

#include "library/CCheckSrcView.h"
#include "screens/ViewFactory.h"

void RegisterCheckSourceView() {
    RegisterViewMaker(PageScreen::kCheckSource, [] {
        return std::unique_ptr<CKelvarinFormView>(std::make_unique<CCheckSrcView>());
    });
}
