#pragma once
// The contract of every page and dialog that edits a profile. A page knows the
// profile it shows and the kit, never the window: it is filled with load(),
// hands its private edits back with store() when Apply collects them, sets its
// texts again on a language change, lays itself out for the display scale, and
// tells the window what happened only through signals. A page that needs the
// session takes it in its own constructor.

#include "ProfileData.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <vector>

// Widgets placed at design rectangles, scaled together whenever the display
// scale changes: one table per page instead of a scaled call per widget.
class TarnDesignLayout
{
public:
    // Remembers the rectangle (design pixels) and places the widget at once.
    void place(QWidget *widget, const QRect &design);
    void place(QWidget *widget, int x, int y, int width, int height) { place(widget, QRect(x, y, width, height)); }
    // Places every remembered widget again at the current scale.
    void apply() const;
    int count() const { return int(m_Items.size()); }

private:
    struct Item
    {
        QPointer<QWidget> widget;
        QRect design;
    };
    std::vector<Item> m_Items;
};

class TarnPage : public QWidget
{
    Q_OBJECT
public:
    explicit TarnPage(QWidget *parent = nullptr);

    // Shows profile. Must not change it, nor emit profileEdited for it.
    virtual void load(const ProfileData &profile) = 0;
    // Writes the edits the page keeps to itself into profile. Pages that edit
    // the working copy directly keep nothing and leave this as it is.
    virtual void store(ProfileData &profile) const;
    // Sets every text again in the current language.
    virtual void retranslate() {}
    // Places the page's widgets for the current display scale; the default
    // re-applies designLayout().
    virtual void relayout();

signals:
    // The user changed something the next Apply must send.
    void profileEdited();

protected:
    TarnDesignLayout &designLayout() { return m_Layout; }
    // A language change reaches every widget; pages answer with retranslate().
    void changeEvent(QEvent *event) override;

private:
    TarnDesignLayout m_Layout;
};
