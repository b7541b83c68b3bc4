// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/listcontrols.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace platform {
namespace {

constexpr int kItemDataRole = Qt::UserRole;

int sortedPlace(int count, const std::function<QString(int)>& textAt, const QString& text) {
    // After equal texts, as a sorted list of the platform places a new item.
    int lo = 0, hi = count;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (QString::compare(textAt(mid), text, Qt::CaseInsensitive) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int keyToAscii(const QKeyEvent* ke) {
    if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter)
        return kEnter;
    if (ke->key() == Qt::Key_Escape)
        return 27;
    if (ke->key() == Qt::Key_Backspace)
        return 8;
    const QString t = ke->text();
    return t.isEmpty() ? 0 : t.at(0).unicode();
}

int shiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

} // namespace

ComboBox::ComboBox(QWidget* parent, bool editable) : QComboBox(parent) {
    setEditable(editable);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(20);
    if (lineEdit()) {
        lineEdit()->installEventFilter(this);
        // Qt's combo picks the item a typed text names when the field loses the focus, and reports it
        // as a choice; here only a choice from the list, or Enter through the handlers, is one.
        disconnect(lineEdit(), &QLineEdit::editingFinished, nullptr, nullptr);
    }
    installEventFilter(this);
    connect(this, &QComboBox::activated, this, [this](int index) {
        m_listIndex = index;
        Q_EMIT Click();
    });
}

void ComboBox::Clear() {
    const QString keep = Text();
    {
        const QSignalBlocker block(this);
        clear();
    }
    m_listIndex = -1;
    // Clearing the list leaves the text field as it was, as the platform's combo box does.
    if (isEditable())
        setEditText(keep);
}

int ComboBox::AddItem(const QString& text) {
    const int at = m_sorted ? sortedPlace(
                                  count(), [this](int i) { return itemText(i); }, text)
                            : count();
    const QString keep = Text();
    {
        const QSignalBlocker block(this);
        insertItem(at, text);
        setItemData(at, 0);
        // Adding never selects: the selection stays where it was (none in an empty list).
        if (m_listIndex >= at)
            ++m_listIndex;
        setCurrentIndex(m_listIndex);
    }
    if (isEditable() && lineEdit()->text() != keep)
        lineEdit()->setText(keep);
    return at;
}

int ComboBox::AddItem(const QString& text, qint32 itemData) {
    const int at = AddItem(text);
    setItemData(at, itemData);
    return at;
}

void ComboBox::RemoveItem(int index) {
    if (index < 0 || index >= count())
        return;
    const QString keep = Text();
    {
        const QSignalBlocker block(this);
        removeItem(index);
        if (m_listIndex == index)
            m_listIndex = -1;
        else if (m_listIndex > index)
            --m_listIndex;
        setCurrentIndex(m_listIndex);
    }
    if (isEditable() && lineEdit()->text() != keep)
        lineEdit()->setText(keep);
}

qint32 ComboBox::ItemData(int index) const {
    if (index < 0 || index >= count())
        return 0;
    return itemData(index, kItemDataRole).toInt();
}

void ComboBox::setItemData(int index, qint32 value) {
    if (index >= 0 && index < count())
        QComboBox::setItemData(index, value, kItemDataRole);
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= count())
        index = -1;
    m_listIndex = index;
    {
        const QSignalBlocker block(this);
        setCurrentIndex(index);
        if (index < 0 && isEditable())
            setEditText(QString());
    }
    Q_EMIT Click();
}

void ComboBox::selectQuietly(int index) {
    if (index < -1 || index >= count())
        index = -1;
    m_listIndex = index;
    const QSignalBlocker block(this);
    setCurrentIndex(index);
}

QString ComboBox::Text() const {
    return isEditable() ? lineEdit()->text() : currentText();
}

void ComboBox::setText(const QString& text) {
    if (isEditable()) {
        const QSignalBlocker block(this);
        setEditText(text);
    }
}

void ComboBox::setSelStart(int start) {
    if (isEditable())
        lineEdit()->setCursorPosition(start);
}

void ComboBox::setSelLength(int length) {
    if (isEditable()) {
        const int start = lineEdit()->cursorPosition();
        lineEdit()->setSelection(start, length);
    }
}

bool ComboBox::handleKey(QKeyEvent* ke) {
    const int ascii = keyToAscii(ke);
    const bool enter = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter;
    Q_EMIT KeyDown(enter ? kEnter : ke->key(), shiftState(ke->modifiers()));
    if (ascii != 0)
        Q_EMIT KeyPress(ascii);
    // The combo of this platform does nothing of its own with Enter.
    return enter;
}

bool ComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == lineEdit() || watched == this))
        return handleKey(static_cast<QKeyEvent*>(event));
    return QComboBox::eventFilter(watched, event);
}

void ComboBox::focusInEvent(QFocusEvent* e) {
    QComboBox::focusInEvent(e);
    Q_EMIT GotFocus();
}

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int) {
        if (!m_quiet)
            Q_EMIT Click();
    });
}

void ListBox::Clear() {
    m_quiet = true;
    clear();
    m_quiet = false;
}

int ListBox::AddItem(const QString& text) {
    const int at = m_sorted ? sortedPlace(
                                  count(), [this](int i) { return item(i)->text(); }, text)
                            : count();
    m_quiet = true;
    insertItem(at, text);
    item(at)->setData(kItemDataRole, 0);
    m_quiet = false;
    return at;
}

int ListBox::AddItem(const QString& text, qint32 itemData) {
    const int at = AddItem(text);
    setItemData(at, itemData);
    return at;
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= count())
        return;
    m_quiet = true;
    delete takeItem(index);
    m_quiet = false;
}

QString ListBox::List(int index) const {
    return index >= 0 && index < count() ? item(index)->text() : QString();
}

qint32 ListBox::ItemData(int index) const {
    return index >= 0 && index < count() ? item(index)->data(kItemDataRole).toInt() : 0;
}

void ListBox::setItemData(int index, qint32 value) {
    if (index >= 0 && index < count())
        item(index)->setData(kItemDataRole, value);
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= count())
        index = -1;
    m_quiet = true;
    setCurrentRow(index);
    if (index >= 0)
        scrollToItem(item(index));
    m_quiet = false;
    Q_EMIT Click();
}

void ListBox::mousePressEvent(QMouseEvent* e) {
    // A click on the item already selected is a choice too: it shows that item again.
    const int before = currentRow();
    QListWidget::mousePressEvent(e);
    if (before >= 0 && currentRow() == before && itemAt(e->position().toPoint()) == item(before) && !m_quiet)
        Q_EMIT Click();
}

QString ListBox::Text() const {
    return currentItem() ? currentItem()->text() : QString();
}

} // namespace platform
