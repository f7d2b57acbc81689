// Writes a user.pdb holding the benchmarks' daily-use history, for timing and profiling the
// program on a long diary: make_history FOLDER [DAYS] (3650 days unless told). The profile
// is filled in and counts one earlier start, so the program opens on the home screen: no
// disclaimer, no profile page, no blog account page.
#include "TenYearHistory.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool ok = true;
    const int days = args.size() > 2 ? args[2].toInt(&ok) : 3650;
    if (args.size() < 2 || args.size() > 3 || !ok || days < 0) {
        std::fprintf(stderr, "usage: make_history FOLDER [DAYS]\n");
        return 2;
    }
    QLoggingCategory::setFilterRules(QStringLiteral("nutrava.*=false"));
    if (!QDir().mkpath(args[1])) {
        std::fprintf(stderr, "cannot make %s\n", qUtf8Printable(args[1]));
        return 1;
    }
    const Catalogue catalogue = Catalogue::Reference(QStringLiteral(NUTRAVA_REFERENCE_DIR));
    UserDatabase store({args[1], {QStringLiteral(NUTRAVA_REFERENCE_DIR)}});
    if (!store.IsWritable()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(store.StateText()));
        return 1;
    }
    FillHistory(store, days, catalogue);
    UserProfile& profile = store.Profile();
    profile.SetUserName(QStringLiteral("Ten Years"));
    profile.SetAge(40);
    profile.SetHeightFromDisplay(175, true);
    profile.SetStartWeight(80, true);
    profile.SetGoalWeight(75, true);
    profile.SetStartDate(TimeBase::FromDate(QDate(2016, 1, 1)));
    profile.SetGoalDate(TimeBase::FromDate(QDate(2016, 7, 1)));
    profile.SetFlags(profile.Flags() | UserProfile::kBlogAccountSeen);
    profile.SetLaunchCount(1);
    profile.SetChanged();
    for (ItemList* list :
         {&store.FoodLog(), &store.FitnessLog(), &store.Weights(), &store.Journal()})
        store.SaveList(*list);
    if (!store.Commit()) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(store.UserFilePath()));
        return 1;
    }
    std::printf("%s: %d days\n", qUtf8Printable(store.UserFilePath()), days);
    return 0;
}
