#include "screens/ViewFactory.h"

#include "screens/COneChannelView.h"
#include "screens/CPlaceholderView.h"
#include "screens/CSplashView.h"
#include "screens/CStandbyView.h"
#include "screens/CTwoChannelView.h"

std::unique_ptr<CKelvarinFormView> MakeStandbyView() {
    return std::make_unique<CStandbyView>();
}

std::unique_ptr<CKelvarinFormView> MakeSplashView() {
    return std::make_unique<CSplashView>();
}

std::unique_ptr<CKelvarinFormView> MakeOneChannelView() {
    return std::make_unique<COneChannelView>();
}

namespace {

constexpr int kRegisteredScreens = 6;
ViewMaker registeredMakers[kRegisteredScreens] = {};
PageAction scintillatorCommand = nullptr;

std::unique_ptr<CKelvarinFormView> MakeRegistered(PageScreen screen) {
    ViewMaker maker = registeredMakers[static_cast<int>(screen)];
    return maker != nullptr ? maker() : nullptr;
}

}  // namespace

void RegisterViewMaker(PageScreen screen, ViewMaker maker) {
    registeredMakers[static_cast<int>(screen)] = maker;
}

void RegisterScintillatorCommand(PageAction action) {
    scintillatorCommand = action;
}

PageAction ScintillatorCommand() {
    return scintillatorCommand;
}

std::unique_ptr<CKelvarinFormView> MakeTwoChannelView() {
    return std::make_unique<CTwoChannelView>();
}

// Screens of later work: nullptr makes the page command tell the operator.

std::unique_ptr<CKelvarinFormView> MakeCheckSourceView() {
    return MakeRegistered(PageScreen::kCheckSource);
}

std::unique_ptr<CKelvarinFormView> MakeChamberLibraryView() {
    return MakeRegistered(PageScreen::kChamberLibrary);
}

std::unique_ptr<CKelvarinFormView> MakePreferencesView() {
    return MakeRegistered(PageScreen::kPreferences);
}

// The scintillator screens stand in as placeholders until their layer registers them.
std::unique_ptr<CKelvarinFormView> MakeScintView() {
    std::unique_ptr<CKelvarinFormView> view = MakeRegistered(PageScreen::kScintMeasurement);
    return view ? std::move(view) : std::make_unique<CScintPlaceholderView>();
}

std::unique_ptr<CKelvarinFormView> MakeScintLibraryView() {
    std::unique_ptr<CKelvarinFormView> view = MakeRegistered(PageScreen::kScintLibrary);
    return view ? std::move(view) : std::make_unique<CScintLibPlaceholderView>();
}
