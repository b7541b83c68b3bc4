// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QListWidget>

namespace platform {

// The character code of the Enter key, as KeyPress and KeyDown give it.
inline constexpr int kEnter = 13;

// A drop-down list as the program uses it. Each item carries a 32-bit key (ItemData) that stays
// with its item wherever sorting puts it. Putting ListIndex from code raises Click before the put
// returns, exactly as a reader's choice does; putting Text runs no handler.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr, bool editable = true);

    void Clear();
    // Adds at the end, or at its sorted place when the list sorts its items; returns the position.
    int AddItem(const QString& text);
    int AddItem(const QString& text, qint32 itemData);
    void RemoveItem(int index);
    int ListCount() const { return count(); }
    QString List(int index) const { return itemText(index); }
    qint32 ItemData(int index) const;
    void setItemData(int index, qint32 value);
    int ListIndex() const { return m_listIndex; }
    void setListIndex(int index);
    // Marks an item selected without raising Click (a handler that has already been raised).
    void selectQuietly(int index);
    QString Text() const;
    void setText(const QString& text);
    void setSorted(bool sorted) { m_sorted = sorted; }
    // The edit field's selection, as a text box has it.
    void setSelStart(int start);
    void setSelLength(int length);

Q_SIGNALS:
    void Click();
    // A character typed in the list (Enter is 13); the key then goes on to the list as usual.
    void KeyPress(int ascii);
    // A key pressed: its key code (Enter is 13) and the state of Shift (1), Ctrl (2) and Alt (4).
    void KeyDown(int keyCode, int shift);
    void GotFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    bool handleKey(QKeyEvent* ke);
    int m_listIndex = -1;
    bool m_sorted = false;
};

// A list box: the same members; a reader's choice of an item raises Click.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    void Clear();
    int AddItem(const QString& text);
    int AddItem(const QString& text, qint32 itemData);
    void RemoveItem(int index);
    int ListCount() const { return count(); }
    QString List(int index) const;
    qint32 ItemData(int index) const;
    void setItemData(int index, qint32 value);
    int ListIndex() const { return currentRow(); }
    void setListIndex(int index);
    // The text of the selected item ("" without one).
    QString Text() const;
    void setSorted(bool sorted) { m_sorted = sorted; }

Q_SIGNALS:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    bool m_sorted = false;
    bool m_quiet = false;
};

} // namespace platform
