#pragma once

#include "vocabulary/AppServices.h"

#include <QDialog>

class QLabel;
class QPushButton;

// Product name, version and build time.
class AboutDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent,
                         const ProductVersion& version = AppServices::CompiledVersion());

    QString VersionText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_about = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_closing = nullptr;
    QPushButton* m_ok = nullptr;
};
