#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

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
            dialog->reject();
    });
    zeitpunkt.start(0);
    oeffne();
    zeitpunkt.stop();
    return gefunden;
}
