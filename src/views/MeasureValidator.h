#pragma once

#include "fitness/ProfileCheck.h"

#include <QValidator>

class QLabel;
class QLineEdit;

// The number field of a body measurement, as the profile and the daily chart share it: keys that
// would not make a number of the measure's form (digits; one decimal for weights) are refused,
// and a number outside the range the profile stores is not acceptable. A plain-words line below
// the fields says why.
class MeasureValidator final : public QValidator
{
    Q_OBJECT

public:
    // Installs itself on `field`; `name` is the field's name in the line's sentences ("Age").
    MeasureValidator(ProfileCheck::Measure measure, const QString& name, QLineEdit* field);

    void SetMetric(bool metric);
    State validate(QString& input, int& pos) const override;

    // Why the field's number cannot be stored; empty when it can, or when the field is empty.
    QString Problem() const;

    // Makes `line` the form's plain-words line.
    static void SetUpProblemLine(QLabel* line, const QString& description);
    static void ShowProblem(QLabel* line, const QString& problem);

signals:
    // A key was refused; `why` says what the field takes.
    void Refused(const QString& why);

private:
    ProfileCheck::Measure m_measure;
    QString m_name;
    QLineEdit* m_field;
    bool m_metric = true;
};
