#include "screens/ViewFactory.h"

#include <map>

#include "controls/MenuCommands.h"

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
    return MakePageView(menu_cmd::kChamberLibrary);
}

std::unique_ptr<CKelvarinFormView> MakePreferencesView() {
    return nullptr;
}

std::unique_ptr<CKelvarinFormView> MakeScintView() {
    return std::make_unique<CScintPlaceholderView>();
}

std::unique_ptr<CKelvarinFormView> MakeScintLibraryView() {
    return std::make_unique<CScintLibPlaceholderView>();
}

namespace {

std::map<int, ViewMaker>& PageViewMakers() {
    static std::map<int, ViewMaker> makers;
    return makers;
}

}  // namespace

void SetPageViewMaker(int pageCommand, ViewMaker maker) {
    PageViewMakers()[pageCommand] = maker;
}

std::unique_ptr<CKelvarinFormView> MakePageView(int pageCommand) {
    auto it = PageViewMakers().find(pageCommand);
    return it != PageViewMakers().end() && it->second != nullptr ? it->second() : nullptr;
}
