// Renders the bands of every section in the portrait, double-size and landscape screen modes to
// PNG files, to look at the skin without clicking through the program.
//
//   skin_preview [output folder]      (default: ./skin_preview)

#include "dialogs/LayoutBaseDialog.h"
#include "skin/DeviceScreen.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/ContentControlRegistry.h"
#include "vocabulary/Page.h"
#include "vocabulary/PageHost.h"

#include <QApplication>
#include <QDir>
#include <QLabel>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

struct Scenario
{
    const char* name;
    const char* section;
    std::vector<std::pair<int, const char*>> bottom; // slot, button
    std::vector<std::pair<int, const char*>> title;  // item index, name
    bool date;
};

// The bands as the pages set them up.
const Scenario kScenarios[] = {
    {"food-log",
     "food",
     {{0, "done"}, {1, "fav"}, {2, "add"}, {3, "delete"}},
     {{0, "menu"}, {1, "title"}, {2, "lookup"}},
     true},
    {"food-details", "food", {{0, "done"}}, {{0, "menu"}, {1, "title.details"}}, false},
    {"daily-chart",
     "food",
     {{0, "done"}, {1, "blog"}},
     {{0, "menu.daily"}, {1, "title.daily"}},
     true},
    {"fitness-log",
     "fitness",
     {{0, "done"}, {1, "fav"}, {2, "add"}, {3, "delete"}},
     {{0, "menu"}, {1, "title"}, {2, "lookup"}},
     true},
    {"fitness-lookup",
     "fitness",
     {{0, "cancel"}, {1, "add.fav"}},
     {{0, "menu.fav"}, {1, "title.lookup"}},
     false},
    {"journal",
     "journal",
     {{1, "add"}, {2, "delete"}, {3, "edit"}, {0, "done"}},
     {{1, "title"}, {0, "menu"}},
     true},
    {"journal-entry",
     "journal",
     {{1, "cancel"}, {0, "done"}, {-1, "blog"}},
     {{1, "title"}, {0, "menu"}},
     false},
    {"profile",
     "profile",
     {{1, "blogger"}, {0, "done"}},
     {{3, "goals"}, {4, "results"}, {0, "menu"}, {1, "title"}},
     false},
    {"goals",
     "profile",
     {{0, "done"}},
     {{3, "profile"}, {4, "results"}, {0, "menu"}, {1, "title.goals"}},
     false},
    {"no-section", "", {{1, "add"}, {0, "done"}}, {{1, "title"}}, false},
};

class PreviewContent final : public QLabel, public ContentControl
{
public:
    PreviewContent()
    {
        setAlignment(Qt::AlignCenter);
        setText(QStringLiteral("content"));
        setStyleSheet(QStringLiteral("background: #f4f4f4; color: #909090"));
    }
    EventListener* GetListener() const override { return m_listener; }
    void SetListener(EventListener* listener) override { m_listener = listener; }
    QWidget* GetWindow() override { return this; }

private:
    EventListener* m_listener = nullptr;
};

class PreviewPage final : public Page
{
public:
    explicit PreviewPage(const Scenario& scenario) : m_scenario(scenario) {}

    void Attach(PageHost& host) override
    {
        host.SetSection(QString::fromLatin1(m_scenario.section));
        for (const auto& [slot, name] : m_scenario.bottom)
            host.SetBottomButton(slot, QString::fromLatin1(name));
        for (const auto& [index, name] : m_scenario.title)
            host.SetTitleButton(index, QString::fromLatin1(name));
        if (m_scenario.date)
            host.SetDate(TimeBase::FromDate(QDate(2026, 12, 6)));
        host.SetContent(QStringLiteral("PreviewContent"));
    }
    void Detach() override {}
    int OnEvent(const QString&, QWidget*) override { return 0; }
    int GetHelpTopic() const override { return -1; }
    QString GetName() const override { return QString::fromLatin1(m_scenario.name); }

private:
    const Scenario& m_scenario;
};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("skin_preview");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qUtf8Printable(folder));
        return 1;
    }
    ContentControlRegistry::Register(QStringLiteral("PreviewContent"),
                                     [] { return new PreviewContent; });

    int failures = 0;
    for (const QSize mode : {QSize(240, 320), QSize(480, 640), QSize(320, 240)}) {
        DeviceScreen::Instance().SetSize(mode);
        for (const Scenario& scenario : kScenarios) {
            PreviewPage page(scenario);
            LayoutBaseDialog dialog;
            dialog.SetPage(&page);
            dialog.show();
            const QString path = QStringLiteral("%1/%2x%3-%4.png")
                                     .arg(folder)
                                     .arg(mode.width())
                                     .arg(mode.height())
                                     .arg(QString::fromLatin1(scenario.name));
            if (!dialog.grab().save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(path));
                ++failures;
            }
            dialog.hide();
        }
    }
    return failures == 0 ? 0 : 1;
}
