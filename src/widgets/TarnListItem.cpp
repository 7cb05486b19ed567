#include "TarnListItem.h"

#include "TarnAccessible.h"
#include "TarnLineEdit.h"
#include "TarnUi.h"

#include <QDebug>
#include <QHBoxLayout>

TarnListItem::TarnListItem(const QString &text, QWidget *parent)
    : QWidget(parent)
{
    m_pEdit = new TarnLineEdit(this);
    m_pEdit->setStyleSheet(QStringLiteral("color:black"));
    m_pEdit->setFont(TarnUi::currentFont());
    m_pEdit->setText(text);
    m_pEdit->setReadOnly(true);
    m_pEdit->setAccessibleName(text);
    installTarnAccessibility();
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pEdit);
    connect(m_pEdit, SIGNAL(returnPressed()), this, SLOT(editPressSlot()));
    connect(m_pEdit, SIGNAL(tarnLostFocus()), this, SLOT(lostFocusSlot()));
}

QString TarnListItem::text() const
{
    return m_pEdit->text();
}

void TarnListItem::setText(const QString &text)
{
    m_pEdit->setText(text);
    m_pEdit->setAccessibleName(text);
}

void TarnListItem::startEdit()
{
    m_pEdit->setReadOnly(false);
    m_pEdit->setFocus(Qt::OtherFocusReason);
    m_pEdit->selectAll();
}

bool TarnListItem::isEditing() const
{
    return !m_pEdit->isReadOnly();
}

void TarnListItem::editPressSlot()
{
    finishEdit();
}

void TarnListItem::lostFocusSlot()
{
    qDebug("lostFocusSlot");
    finishEdit();
}

void TarnListItem::finishEdit()
{
    m_pEdit->setReadOnly(true);
    m_pEdit->deselect();
    m_pEdit->setAccessibleName(m_pEdit->text());
}
