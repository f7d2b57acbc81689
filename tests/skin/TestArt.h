#pragma once

#include <QColor>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>
#include <ostream>

// A folder of stand-in artwork: each bitmap a solid rectangle in its own colour, so a pixel
// sampled from a grabbed widget tells which bitmap was drawn.
class TestArt final
{
public:
    explicit TestArt(std::initializer_list<int> ids);
    QString Folder() const { return m_dir.path(); }
    void Add(int id);
    static QColor ColorOf(int id);

private:
    QTemporaryDir m_dir;
};

// Points SkinSettings::Instance at a TestArt folder for the lifetime of the object.
class ScopedTestArt final
{
public:
    explicit ScopedTestArt(std::initializer_list<int> ids);
    ~ScopedTestArt();
    TestArt& Art() { return m_art; }

private:
    TestArt m_art;
};

// Readable failures for colour comparisons.
inline void PrintTo(const QColor& color, std::ostream* out)
{
    *out << color.name().toStdString();
}
