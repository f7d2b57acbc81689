#include "controls/StaticText.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>

StaticText::StaticText(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

QRect StaticText::TextRect() const
{
    const int m = margin();
    return contentsRect().adjusted(m, m, -m, -m);
}

QString StaticText::ShownText() const
{
    const QString whole = text();
    const QRect area = TextRect();
    const QFontMetrics metrics = fontMetrics();
    QStringList lines;
    for (const QString& paragraph : whole.split(u'\n')) {
        if (!wordWrap()) {
            lines << paragraph;
            continue;
        }
        QTextLayout layout(paragraph, font());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            // The space a line breaks at takes no room.
            QString shown = paragraph.mid(line.textStart(), line.textLength());
            while (shown.endsWith(u' '))
                shown.chop(1);
            lines << shown;
        }
        layout.endLayout();
    }
    const qsizetype fit = std::max(1, area.height() / std::max(1, metrics.lineSpacing()));
    bool cut = lines.size() > fit;
    if (cut) {
        // The last line that shows carries on with what does not, so that it ends in "...".
        const QStringList rest = lines.mid(fit - 1);
        lines = lines.mid(0, fit - 1);
        lines << rest.join(u' ');
    }
    for (QString& line : lines) {
        const QString shown = metrics.elidedText(line, Qt::ElideRight, area.width());
        cut = cut || shown != line;
        line = shown;
    }
    return cut ? lines.join(u'\n') : whole;
}

bool StaticText::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !toolTip().isEmpty())
        return QLabel::event(event);
    if (IsCut())
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this, rect());
    else
        QToolTip::hideText();
    return true;
}

void StaticText::paintEvent(QPaintEvent* event)
{
    const QString shown = ShownText();
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, TextRect(),
                          int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), shown, foregroundRole());
}
