#pragma once
// Makes the library pages ("Chamber Library", "Check Source") known to the navigation. The
// application calls it once at start-up, so the screens layer names no library header.
void RegisterLibraryViews();
