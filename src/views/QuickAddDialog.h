#pragma once

#include "data/QuickEntries.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// "Quick Add": a food logged by its name and figures for one serving, without a food of the
// foods database. Calories are needed; fat, carbohydrates and protein may stay empty. OK keeps
// the dialog open, saying why in plain words, until every figure can be stored.
class QuickAddDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit QuickAddDialog(QWidget* parent = nullptr);

    QLineEdit* NameField() const { return m_fields[0]; }
    QLineEdit* Field(int index) const
    {
        return m_fields[index];
    } // name, calories, fat, carbs, protein
    QString Problem() const;
    // What OK accepted.
    const QuickEntries::Entry& Entry() const { return m_entry; }

    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The entry the fields make, or the first field that cannot be stored and why.
    bool Read(QuickEntries::Entry& entry, int& badField, QString& why) const;

    QLineEdit* m_fields[5] = {};
    QLabel* m_labels[5] = {};
    QLabel* m_problem = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QuickEntries::Entry m_entry;
};
