#pragma once

#include <QString>

// The event vocabulary: names raised by controls and compared exactly, case-sensitively.
namespace Events {

// Navigation bar.
inline const QString kGoHome = QStringLiteral("goHome");
inline const QString kGoProfile = QStringLiteral("goProfile");
inline const QString kGoJournal = QStringLiteral("goJournal");
inline const QString kGoFitness = QStringLiteral("goFitness");
inline const QString kGoFood = QStringLiteral("goFood");

// Buttons of pages and the title bar.
inline const QString kBlogger = QStringLiteral("blogger");
inline const QString kDone = QStringLiteral("done");
inline const QString kAdd = QStringLiteral("add");
inline const QString kAddFav = QStringLiteral("add.fav");
inline const QString kFav = QStringLiteral("fav");
inline const QString kLookup = QStringLiteral("lookup");
// The food log's menu command: a food by its figures alone.
inline const QString kQuickAdd = QStringLiteral("quickAdd");
// The fitness log's menu command: the selected exercise's calories from a watch or a machine.
inline const QString kOwnCalories = QStringLiteral("ownCalories");
inline const QString kDelete = QStringLiteral("delete");
inline const QString kEdit = QStringLiteral("edit");
inline const QString kCancel = QStringLiteral("cancel");
inline const QString kBlog = QStringLiteral("blog");
inline const QString kGoals = QStringLiteral("goals");
inline const QString kResults = QStringLiteral("results");
inline const QString kProfile = QStringLiteral("profile");
inline const QString kMenu = QStringLiteral("menu");
inline const QString kHelp = QStringLiteral("help");

// Menu commands of the food and fitness logs.
inline const QString kCopyFrom = QStringLiteral("copyFrom");
inline const QString kCopyTo = QStringLiteral("copyTo");
// Menu commands of the food lookup: the user's own foods and recipes.
inline const QString kNewFood = QStringLiteral("newFood");
inline const QString kNewRecipe = QStringLiteral("newRecipe");
inline const QString kEditFood = QStringLiteral("editFood");
inline const QString kDeleteFood = QStringLiteral("deleteFood");

// Raised by controls and dialogs rather than pressed.
inline const QString kDateChanged = QStringLiteral("dateChanged");
inline const QString kGridActivate = QStringLiteral("gridActivate");
inline const QString kItemActivated = QStringLiteral("itemActivated");
inline const QString kDataChanged = QStringLiteral("dataChanged");
inline const QString kPreferences = QStringLiteral("preferences");
inline const QString kDialogApplied = QStringLiteral("dialogApplied");
// The page's window goes without an answer from the page: closed from the desktop, or the
// program ending. The page keeps what was typed as "done" would; the dialog shows nothing more.
inline const QString kWindowClosing = QStringLiteral("windowClosing");
// A field of the content was left, or the menu is about to undo, redo or change preferences:
// the page makes what is typed and not yet stored an edit of its own, so that it can be undone
// and is neither lost nor left behind.
inline const QString kApplyEdits = QStringLiteral("applyEdits");
// The text of a lookup's find field changed; the sender is the field.
inline const QString kFindChanged = QStringLiteral("findChanged");

// Home screen entries.
inline const QString kDaily = QStringLiteral("daily");
inline const QString kFitness = QStringLiteral("fitness");
inline const QString kFood = QStringLiteral("food");
inline const QString kJournal = QStringLiteral("journal");

} // namespace Events
