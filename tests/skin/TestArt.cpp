#include "skin/TestArt.h"

#include "skin/SkinSettings.h"

#include <QFile>

TestArt::TestArt(std::initializer_list<int> ids)
{
    for (int id : ids)
        Add(id);
}

QColor TestArt::ColorOf(int id)
{
    // Distinct, and far from the panel colours and from white and black.
    return QColor(QColor::fromHsv((id - 3000) * 37 % 360, 200, 180).rgb());
}

void TestArt::Add(int id)
{
    QFile file(QStringLiteral("%1/%2.svg").arg(m_dir.path()).arg(id));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(
        QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"57\" height=\"18\" "
                       "viewBox=\"0 0 57 18\"><rect width=\"57\" height=\"18\" "
                       "fill=\"%1\"/></svg>")
            .arg(ColorOf(id).name())
            .toUtf8());
}

ScopedTestArt::ScopedTestArt(std::initializer_list<int> ids) : m_art(ids)
{
    SkinSettings::Instance().SetArtFolder(m_art.Folder());
}

ScopedTestArt::~ScopedTestArt()
{
    SkinSettings::Instance().SetArtFolder(QStringLiteral(":/art"));
}
