#pragma once
// Label that draws its own text in the language font and reports presses.

#include <QLabel>

class TarnLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TarnLabel(QWidget *parent = nullptr);
    explicit TarnLabel(const QString &text, QWidget *parent = nullptr);

    QString text() const { return m_strText; }
    void setText(const QString &text);
    // The number formatted with "%d".
    void setText(int value);

    void refreshFont();

signals:
    void EnterSignal(TarnLabel *label);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_strText;
};
