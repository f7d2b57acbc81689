#include "skin/DialogServices.h"

#include "skin/ScreenMessageBox.h"

namespace {
class FallbackServices final : public DialogServices
{
public:
    bool RunPreferences(QWidget*) override { return false; }
    void ShowHelp(QWidget*, int) override {}
    void ShowAbout(QWidget*) override {}
    void ShowMessage(QWidget* parent, const QString& caption, const QString& text) override
    {
        ScreenMessageBox::Show(parent, QMessageBox::Information, caption, text);
    }
};
} // namespace

DialogServices& DialogServices::Fallback()
{
    static FallbackServices services;
    return services;
}
