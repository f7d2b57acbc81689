#include "skin/AboutDialog.h"

#include "data/TimeBase.h"
#include "skin/DeviceScreen.h"
#include "skin/SmallDialog.h"

#include <QLabel>
#include <QPushButton>

namespace {

QLabel* CentredLabel(const QString& text, const char* id, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(id));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent, const ProductVersion& version) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About"));
    SmallDialog::AddCaption(this);
    m_ok = SmallDialog::Button(this, QStringLiteral("OK"), 1, QDialog::Accepted);

    m_about = CentredLabel(QStringLiteral("About"), "1009", this);
    m_name = CentredLabel(QStringLiteral("Nutrava"), "1010", this);
    m_version =
        CentredLabel(QString::asprintf("Version %d.%d\n%s", version.major, version.minor,
                                       qUtf8Printable(TimeBase::DateTimeText(version.buildTime))),
                     "1011", this);
    m_closing = CentredLabel(QStringLiteral("Eat well, move more, write it down."), "1012", this);
    m_closing->setWordWrap(true);
    DeviceScreen::Instance().Apply(this);
    QFont name = m_name->font();
    name.setBold(true);
    name.setPixelSize(name.pixelSize() > 0 ? name.pixelSize() * 3 / 2 : 16);
    m_name->setFont(name);
}

QString AboutDialog::VersionText() const
{
    return m_version->text();
}

void AboutDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QRect r = SmallDialog::CaptionedClient(this);
    int y = r.top() + 5;
    const auto stack = [&](QLabel* label, int gap) {
        y += gap;
        const int h = label->heightForWidth(r.width()) > 0 ? label->heightForWidth(r.width())
                                                           : label->sizeHint().height();
        label->setGeometry(r.left(), y, r.width(), h);
        y += h;
    };
    stack(m_about, 0);
    stack(m_name, 10);
    stack(m_version, 0);
    stack(m_closing, 20);
    const QSize ok = m_ok->sizeHint();
    m_ok->setGeometry(r.left() + (r.width() - ok.width()) / 2, r.bottom() + 1 - 5 - ok.height(),
                      ok.width(), ok.height());
}
