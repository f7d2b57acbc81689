#pragma once

#include "data/ItemGroup.h"

class ExerciseDatabase;

// A run of exercise records (first to last, inclusive) under one title.
class ExerciseGroup final : public ItemGroup
{
public:
    ExerciseGroup(int value, QString name, int first, int last, const ExerciseDatabase* source)
        : m_value(value), m_name(std::move(name)), m_first(first), m_last(last), m_source(source)
    {
    }

    int Value() const { return m_value; }
    int First() const { return m_first; }
    int Last() const { return m_last; }
    bool Contains(int record) const { return record >= m_first && record <= m_last; }

    std::uint32_t RecordAt(int index) const override { return std::uint32_t(m_first + index); }
    int Count() const override { return m_last >= m_first ? m_last - m_first + 1 : 0; }
    QString NameAt(int index) const override;
    QString Title() const override { return m_name; }

private:
    int m_value;
    QString m_name;
    int m_first;
    int m_last;
    const ExerciseDatabase* m_source;
};
