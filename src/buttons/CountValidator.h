#pragma once
// A whole number 1..top typed into a short edit. QIntValidator lets a
// number above its top stand as "intermediate" input, and such an edit's text
// would then be stored; here a digit that passes the top is refused.

#include <QValidator>

class CountValidator : public QValidator
{
public:
    explicit CountValidator(int bottom, int top, QObject *parent = nullptr)
        : QValidator(parent)
        , m_iBottom(bottom)
        , m_iTop(top)
    {
    }

    State validate(QString &input, int &) const override
    {
        if (input.isEmpty())
            return Intermediate;
        for (const QChar c : input) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return Invalid;
        }
        const int value = input.toInt();
        if (input.size() > 3 || value > m_iTop)
            return Invalid;
        return value < m_iBottom ? Intermediate : Acceptable;
    }

private:
    int m_iBottom;
    int m_iTop;
};
