#pragma once
// Makes the screens that the navigation switches to, so the navigation does not depend on
// every screen's header. A screen not built yet gives nullptr: the caller tells the operator.
#include <memory>

class CKelvarinFormView;

std::unique_ptr<CKelvarinFormView> MakeStandbyView();
std::unique_ptr<CKelvarinFormView> MakeSplashView();
// COneChannelView; it shows the document's OneChannelShown.
std::unique_ptr<CKelvarinFormView> MakeOneChannelView();
std::unique_ptr<CKelvarinFormView> MakeTwoChannelView();
std::unique_ptr<CKelvarinFormView> MakeCheckSourceView();
std::unique_ptr<CKelvarinFormView> MakeChamberLibraryView();
std::unique_ptr<CKelvarinFormView> MakePreferencesView();
std::unique_ptr<CKelvarinFormView> MakeScintView();
std::unique_ptr<CKelvarinFormView> MakeScintLibraryView();

// Screens of the layers above this one (libraries, preferences) are made by makers they
// register at start-up, so this layer includes none of their headers.
enum class PageScreen {
    kTwoChannel,
    kCheckSource,
    kChamberLibrary,
    kPreferences,
    kScintMeasurement,
    kScintLibrary,
};
using ViewMaker = std::unique_ptr<CKelvarinFormView> (*)();
// `maker` nullptr forgets the screen again.
void RegisterViewMaker(PageScreen screen, ViewMaker maker);

// Page command 567 as the scintillator screens take it (a baseline is chosen first); `action`
// nullptr forgets it, and the command then goes straight to the scintillator screen.
using PageAction = void (*)(CKelvarinFormView& from);
void RegisterScintillatorCommand(PageAction action);
PageAction ScintillatorCommand();
