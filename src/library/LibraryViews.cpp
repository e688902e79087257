#include "library/LibraryViews.h"

#include "library/CChamberLibView.h"
#include "library/CCheckSrcView.h"
#include "screens/ViewFactory.h"

namespace {

template <class View>
std::unique_ptr<CKelvarinFormView> MakeView() {
    return std::make_unique<View>();
}

}  // namespace

void RegisterLibraryViews() {
    RegisterViewMaker(PageScreen::kChamberLibrary, &MakeView<CChamberLibView>);
    RegisterViewMaker(PageScreen::kCheckSource, &MakeView<CCheckSrcView>);
}
