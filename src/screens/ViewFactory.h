#pragma once
// Makes the screens that the navigation switches to, so the navigation does not depend on
// every screen's header. A screen not built yet gives nullptr: the caller tells the operator.
#include <functional>
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
// Screens of the layers above this one (preferences, libraries) are made by the makers the
// application installs at start; without one the screen is not available.
using ViewMaker = std::function<std::unique_ptr<CKelvarinFormView>()>;
void SetPreferencesViewMaker(ViewMaker maker);
std::unique_ptr<CKelvarinFormView> MakeScintView();
std::unique_ptr<CKelvarinFormView> MakeScintLibraryView();
