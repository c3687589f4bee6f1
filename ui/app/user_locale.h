#pragma once
// The user's language for the windows that GTK and wx draw themselves (file choosers, their
// questions, calendars, progress and print preview windows).

// Takes the user's locale from the environment (LANG, LC_ALL, LC_MESSAGES ...) and loads wx's
// own translations for it. Numbers keep the C form (LC_NUMERIC stays "C"), so that numbers
// written to files and to the profile read the same in every locale. Call once, before any
// window is created.
void UseUserLocale();
