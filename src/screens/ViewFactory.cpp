#include "screens/ViewFactory.h"

#include "screens/COneChannelView.h"
#include "screens/CPlaceholderView.h"
#include "screens/CSplashView.h"
#include "screens/CStandbyView.h"

std::unique_ptr<CKelvarinFormView> MakeStandbyView() {
    return std::make_unique<CStandbyView>();
}

std::unique_ptr<CKelvarinFormView> MakeSplashView() {
    return std::make_unique<CSplashView>();
}

std::unique_ptr<CKelvarinFormView> MakeOneChannelView() {
    return std::make_unique<COneChannelView>();
}

// Screens of later work: nullptr makes the page command tell the operator.
std::unique_ptr<CKelvarinFormView> MakeTwoChannelView() {
    return nullptr;
}

std::unique_ptr<CKelvarinFormView> MakeCheckSourceView() {
    return nullptr;
}

std::unique_ptr<CKelvarinFormView> MakeChamberLibraryView() {
    return nullptr;
}

namespace {

ViewMaker& PreferencesViewMaker() {
    static ViewMaker maker;
    return maker;
}

}  // namespace

void SetPreferencesViewMaker(ViewMaker maker) {
    PreferencesViewMaker() = std::move(maker);
}

std::unique_ptr<CKelvarinFormView> MakePreferencesView() {
    const ViewMaker& maker = PreferencesViewMaker();
    return maker ? maker() : nullptr;
}

std::unique_ptr<CKelvarinFormView> MakeScintView() {
    return std::make_unique<CScintPlaceholderView>();
}

std::unique_ptr<CKelvarinFormView> MakeScintLibraryView() {
    return std::make_unique<CScintLibPlaceholderView>();
}
