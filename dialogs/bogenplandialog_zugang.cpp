#include "dialogs/bogenplandialog_zugang.h"

#include "dialogs/bogenplandialog.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QScopedValueRollback>

#include <algorithm>

namespace {

// One place of the grid for a screen reader: a cell named by what it holds.
class PlatzZugang : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    PlatzZugang(QAccessibleInterface *tabelle, TPlatzraster *raster, int index)
        : m_tabelle(tabelle), m_raster(raster), m_index(index)
    {}

    bool isValid() const override { return m_raster && m_index < m_raster->platzanzahl(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_tabelle->window(); }
    QAccessibleInterface *parent() const override { return m_tabelle; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text welcher) const override
    {
        return welcher == QAccessible::Name && m_raster ? m_raster->platzname(m_index + 1) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = m_raster->rechteck(m_index + 1).toAlignedRect();
        return QRect(m_raster->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.selectable = true;
        s.selected = isSelected();
        s.focused = isSelected() && m_raster->imFokus();
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType typ) override
    {
        return typ == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    bool isSelected() const override { return isValid() && m_raster->gewaehlt() == m_index + 1; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_index % spalten(); }
    int rowIndex() const override { return m_index / spalten(); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return m_tabelle; }

private:
    int spalten() const { return m_raster ? std::max(1, m_raster->masse().AnzahlEtikettenInZeile) : 1; }

    QAccessibleInterface *m_tabelle;
    QPointer<TPlatzraster> m_raster;
    int m_index;
};

// The grid for a screen reader: a table of its places in the sheet's columns and rows, one of them chosen.
class PlatzrasterZugang : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit PlatzrasterZugang(TPlatzraster *raster) : QAccessibleWidget(raster, QAccessible::Table) {}
    ~PlatzrasterZugang() override
    {
        for (const QAccessible::Id id : std::as_const(m_zellen))
            QAccessible::deleteAccessibleInterface(id);
    }

    void *interface_cast(QAccessible::InterfaceType typ) override
    {
        if (typ == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(typ);
    }
    int childCount() const override { return raster()->platzanzahl(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (!m_zellen.contains(index))
            m_zellen.insert(index,
                            QAccessible::registerAccessibleInterface(
                                new PlatzZugang(const_cast<PlatzrasterZugang *>(this), raster(), index)));
        return QAccessible::accessibleInterface(m_zellen.value(index));
    }
    int indexOfChild(const QAccessibleInterface *kind) const override
    {
        for (auto z = m_zellen.cbegin(); z != m_zellen.cend(); ++z)
            if (QAccessible::accessibleInterface(z.value()) == kind)
                return z.key();
        return -1;
    }
    QAccessibleInterface *focusChild() const override
    {
        return raster()->imFokus() ? child(raster()->gewaehlt() - 1) : nullptr;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return child(raster()->nummerBei(raster()->mapFromGlobal(QPoint(x, y))) - 1);
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int zeile, int spalte) const override
    {
        if (spalte < 0 || spalte >= columnCount())
            return nullptr;
        return child(zeile * columnCount() + spalte);
    }
    int selectedCellCount() const override { return childCount() > 0 ? 1 : 0; }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QAccessibleInterface *gewaehlt = child(raster()->gewaehlt() - 1);
        return gewaehlt ? QList<QAccessibleInterface *>{gewaehlt} : QList<QAccessibleInterface *>{};
    }
    QString columnDescription(int spalte) const override { return QStringLiteral("Spalte %1").arg(spalte + 1); }
    QString rowDescription(int zeile) const override { return QStringLiteral("Zeile %1").arg(zeile + 1); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return std::max(0, raster()->masse().AnzahlEtikettenInZeile); }
    int rowCount() const override { return std::max(0, raster()->masse().AnzahlEtikettenInSpalte); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    TPlatzraster *raster() const { return static_cast<TPlatzraster *>(widget()); }

    mutable QHash<int, QAccessible::Id> m_zellen;
};

class AngebotZugang : public QAccessibleWidget
{
public:
    explicit AngebotZugang(QMenu *menue) : QAccessibleWidget(menue, QAccessible::PopupMenu) {}

    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(widget()->parentWidget());
    }
    int childCount() const override { return int(menue()->actions().size()); }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *kind) const override
    {
        return kind ? int(menue()->actions().indexOf(qobject_cast<QAction *>(kind->object()))) : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return child(int(menue()->actions().indexOf(menue()->actionAt(menue()->mapFromGlobal(QPoint(x, y))))));
    }
    QAccessibleInterface *focusChild() const override
    {
        return child(int(menue()->actions().indexOf(menue()->activeAction())));
    }

private:
    QMenu *menue() const { return static_cast<QMenu *>(widget()); }
};

// One label offered in the popup.
class AngebotseintragZugang : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    AngebotseintragZugang(QMenu *menue, QAction *aktion) : m_menue(menue), m_aktion(aktion) {}

    bool isValid() const override { return m_menue && m_aktion; }
    QObject *object() const override { return m_aktion; }
    QWindow *window() const override { return m_menue ? m_menue->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_menue); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text welcher) const override
    {
        return welcher == QAccessible::Name && m_aktion ? m_aktion->text().remove(QLatin1Char('&')) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = m_menue->actionGeometry(m_aktion);
        return QRect(m_menue->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.disabled = !m_aktion->isEnabled();
        s.focusable = m_aktion->isEnabled();
        s.focused = m_menue->activeAction() == m_aktion;
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType typ) override
    {
        return typ == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name != pressAction() || !isValid() || !m_aktion->isEnabled())
            return;
        m_menue->close();
        m_aktion->trigger();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<QMenu> m_menue;
    QPointer<QAction> m_aktion;
};

QAccessibleInterface *AngebotZugang::child(int index) const
{
    QAction *aktion = menue()->actions().value(index);
    if (!aktion)
        return nullptr;
    // Made once per entry: the registry keeps it by its action, which it also deletes with it.
    if (QAccessibleInterface *da = QAccessible::queryAccessibleInterface(aktion))
        return da;
    QAccessibleInterface *eintrag = new AngebotseintragZugang(menue(), aktion);
    QAccessible::registerAccessibleInterface(eintrag);
    return eintrag;
}

class MenueknopfZugang : public QAccessibleWidget
{
public:
    explicit MenueknopfZugang(Menueknopf *knopf) : QAccessibleWidget(knopf, QAccessible::ButtonMenu) {}

    QString text(QAccessible::Text welcher) const override
    {
        if (welcher == QAccessible::Name && knopf()->accessibleName().isEmpty())
            return knopf()->text().remove(QLatin1Char('&'));
        return QAccessibleWidget::text(welcher);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.hasPopup = true;
        s.pressed = knopf()->isDown();
        return s;
    }
    int childCount() const override { return knopf()->menu() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && knopf()->menu() ? QAccessible::queryAccessibleInterface(knopf()->menu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *kind) const override
    {
        return kind && knopf()->menu() && kind->object() == knopf()->menu() ? 0 : -1;
    }
    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << pressAction() << showMenuAction();
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction() || name == showMenuAction())
            knopf()->showMenu();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    Menueknopf *knopf() const { return static_cast<Menueknopf *>(widget()); }
};

} // namespace

QAccessibleInterface *BogenplanZugang(const QString &, QObject *objekt)
{
    if (auto *raster = qobject_cast<TPlatzraster *>(objekt))
        return new PlatzrasterZugang(raster);
    if (auto *knopf = dynamic_cast<Menueknopf *>(objekt))
        return new MenueknopfZugang(knopf);
    if (auto *menue = qobject_cast<QMenu *>(objekt); menue && dynamic_cast<Menueknopf *>(menue->parentWidget()))
        return new AngebotZugang(menue);
    return nullptr;
}

Zahlfeld::Zahlfeld(QWidget *eltern) : QSpinBox(eltern)
{
    // Qt's interface of a spin box reads its step from a property of this name, which QSpinBox lacks.
    setProperty("stepSize", singleStep());
    connect(this, &QSpinBox::valueChanged, this, [this](int wert) {
        if (m_qtMeldet)
            return;
        QAccessibleValueChangeEvent ereignis(this, wert);
        QAccessible::updateAccessibility(&ereignis);
    });
}

void Zahlfeld::keyPressEvent(QKeyEvent *ereignis)
{
    const int k = ereignis->key();
    if (k != Qt::Key_Up && k != Qt::Key_Down && k != Qt::Key_PageUp && k != Qt::Key_PageDown) {
        QSpinBox::keyPressEvent(ereignis);
        return;
    }
    ereignis->accept();
    const bool hoch = k == Qt::Key_Up || k == Qt::Key_PageUp;
    if (stepEnabled() & (hoch ? StepUpEnabled : StepDownEnabled))
        stepBy((hoch ? 1 : -1) * (k == Qt::Key_PageUp || k == Qt::Key_PageDown ? 10 : 1));
}

void Zahlfeld::mousePressEvent(QMouseEvent *ereignis)
{
    const QScopedValueRollback meldet(m_qtMeldet, true);
    QSpinBox::mousePressEvent(ereignis);
}
