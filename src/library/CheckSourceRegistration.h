#pragma once
// Makes the check-source page known to the navigation (page command "Check Source").
void RegisterCheckSourceView();
