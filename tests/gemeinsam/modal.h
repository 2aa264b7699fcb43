#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

// Runs `oeffne`, which is to open a modal dialog of type D, and `im` on that dialog while its event loop runs.
// A dialog still open afterwards is rejected, so that a fault fails the test instead of hanging it. False when
// no such dialog opened.
template <typename D>
bool ImModalenDialog(const std::function<void()> &oeffne, const std::function<void(D &)> &im)
{
    bool gefunden = false;
    QTimer zeitpunkt;
    zeitpunkt.setSingleShot(true);
    QObject::connect(&zeitpunkt, &QTimer::timeout, &zeitpunkt, [&] {
        D *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        gefunden = true;
        im(*dialog);
        if (dialog->isVisible())
            dialog->done(QDialog::Rejected); // past any question of its own reject()
    });
    zeitpunkt.start(0);
    oeffne();
    zeitpunkt.stop();
    return gefunden;
}

// Works through the modal dialogs that open while it lives, as a person would: each step waits for a dialog it
// fits, in front, and then acts on it from the event loop, so that acting may open the next dialog. A dialog in
// front when no step is left is recorded and closed, so that a fault fails the test instead of hanging it.
class Dialogschritte : public QObject
{
public:
    struct Schritt
    {
        std::function<bool(QWidget &)> passt;
        std::function<void(QWidget &)> tue;
    };

    explicit Dialogschritte(std::deque<Schritt> schritte) : m_schritte(std::move(schritte))
    {
        QObject::connect(&m_uhr, &QTimer::timeout, this, [this] { schau(); });
        m_uhr.start(50);
    }

    // Return in a dialog of type D.
    template <typename D>
    static Schritt Return()
    {
        return {[](QWidget &w) { return qobject_cast<D *>(&w) != nullptr; },
                [](QWidget &w) { QTest::keyClick(&w, Qt::Key_Return); }};
    }

    std::size_t uebrig() const { return m_schritte.size(); }
    QStringList unerwartet;

private:
    void schau()
    {
        QWidget *vorn = QApplication::activeModalWidget();
        if (!vorn || !vorn->isVisible() || vorn == m_zuletzt)
            return;
        if (m_schritte.empty()) {
            const auto *box = qobject_cast<QMessageBox *>(vorn);
            unerwartet.append(QString::fromLatin1(vorn->metaObject()->className())
                              + (box ? QStringLiteral(": ") + box->text() : QString()));
            if (auto *dialog = qobject_cast<QDialog *>(vorn))
                dialog->reject();
            return;
        }
        if (!m_schritte.front().passt(*vorn))
            return;
        const auto tue = m_schritte.front().tue;
        m_schritte.pop_front();
        // Not again while the step acts on it; in front again afterwards, it is the next step's.
        m_zuletzt = vorn;
        QTimer::singleShot(0, vorn, [this, tue, ziel = QPointer<QWidget>(vorn)] {
            if (ziel)
                tue(*ziel);
            m_zuletzt = nullptr;
        });
    }

    std::deque<Schritt> m_schritte;
    QTimer m_uhr;
    QPointer<QWidget> m_zuletzt;
};
