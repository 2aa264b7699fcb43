#pragma once

#include <QString>
#include <exception>

// A step that fails throws Fehler with the German text the user is shown.
// The window's guard catches it at the edge of every slot.
class Fehler : public std::exception
{
public:
    explicit Fehler(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString &text() const noexcept { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// The texts of the two ways a picture file fails, the same wherever it is read.
inline Fehler DateiNichtZuOeffnen(const QString &pfad)
{
    return Fehler(QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(pfad));
}

inline QString KeinLesbaresBild(const QString &pfad)
{
    return QStringLiteral("Die Datei %1 enthält kein lesbares Bitmap-Bild.").arg(pfad);
}
