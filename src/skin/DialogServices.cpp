#include "skin/DialogServices.h"

#include <QMessageBox>

namespace {
class FallbackServices final : public DialogServices
{
public:
    bool RunPreferences(QWidget*) override { return false; }
    void ShowHelp(QWidget*, int) override {}
    void ShowAbout(QWidget*) override {}
    void ShowMessage(QWidget* parent, const QString& caption, const QString& text) override
    {
        QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
};
} // namespace

DialogServices& DialogServices::Fallback()
{
    static FallbackServices services;
    return services;
}
