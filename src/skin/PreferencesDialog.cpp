#include "skin/PreferencesDialog.h"

#include "data/UserProfile.h"
#include "data/UserSettings.h"
#include "skin/DeviceScreen.h"
#include "skin/DropDownName.h"
#include "skin/SmallDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

PreferencesDialog::PreferencesDialog(const UserProfile& profile, const UserSettings& settings,
                                     QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PreferencesDialog"));
    setWindowTitle(QStringLiteral("Preferences"));
    SmallDialog::AddCaption(this);
    m_ok = SmallDialog::Button(this, QStringLiteral("OK"), 1, QDialog::Accepted);
    m_cancel = SmallDialog::Button(this, QStringLiteral("Cancel"), 2, QDialog::Rejected);
    m_track = new QLabel(QStringLiteral("Track:"), this);
    m_track->setObjectName(QStringLiteral("1006"));
    m_nutrients = new QComboBox(this);
    m_nutrients->setObjectName(QStringLiteral("1004"));
    m_track->setBuddy(m_nutrients);
    SetDropDownName(m_nutrients, QStringLiteral("Track"));
    m_metric = new QCheckBox(QStringLiteral("Metric Units"), this);
    m_metric->setObjectName(QStringLiteral("1005"));

    m_metric->setChecked(settings.Metric() != 0);
    for (int i = 0; i < UserProfile::kNutrientCount; ++i)
        m_nutrients->addItem(UserProfile::NutrientName(i));
    m_nutrients->setCurrentIndex(profile.GetFoodTracking());
    DeviceScreen::Instance().Apply(this);
}

int PreferencesDialog::ChosenNutrient() const
{
    return m_nutrients->currentIndex();
}

bool PreferencesDialog::ChosenMetric() const
{
    return m_metric->isChecked();
}

void PreferencesDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QRect r = SmallDialog::CaptionedClient(this);
    SmallDialog::PlaceOkCancel(m_ok, m_cancel, r);

    // The drop-down's own height: its list opens as a pop-up instead of extending to the bottom.
    const int h = m_nutrients->sizeHint().height();
    const QSize track = m_track->sizeHint();
    m_track->setGeometry(r.left() + 5, r.top() + h / 2 - track.height() / 2 + 5, track.width(),
                         track.height());
    const int listLeft = m_track->geometry().right() + 1 + 6;
    m_nutrients->setGeometry(listLeft, r.top() + 5, std::max(0, r.right() + 1 - 5 - listLeft), h);
    m_metric->setGeometry(r.left() + 5, r.top() + h + 11, std::max(0, r.width() - 10),
                          m_metric->sizeHint().height());
}
