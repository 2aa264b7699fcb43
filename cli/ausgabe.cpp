#include "cli/ausgabe.h"

#include "drucken/druckmodul.h"
#include "render/druckauftrag.h"
#include "render/pdfdatei.h"

#include <QFileInfo>

Ausgabe::Ausgabe(const Druckbefehl &auftrag)
    : m_pdf(auftrag.pdf), m_titel(Auftragsname(QFileInfo(auftrag.etikett).completeBaseName(),
                                               auftrag.beidseitig       ? Druckseiten::Beide
                                                   : auftrag.rueckseite ? Druckseiten::Rueckseite
                                                                        : Druckseiten::Vorderseite))
{
    if (m_pdf.isEmpty()) {
        m_modul = &LadeDruckmodul();
        m_drucker = m_modul->druckerFuer({auftrag.drucker, auftrag.kopien, m_titel});
    }
}

Ausgabe::~Ausgabe() = default;

Druckflaeche Ausgabe::flaeche(Blattseite seite)
{
    return m_drucker ? m_modul->flaecheVon(*m_drucker, seite) : PdfFlaeche();
}

bool Ausgabe::kannBeidseitig(Wendekante kante) const
{
    return m_drucker && m_modul->kannBeidseitig(*m_drucker, kante);
}

void Ausgabe::druckeBeidseitig(const QList<Seitenbild> &vorne, const QList<Seitenbild> &hinten, Wendekante kante)
{
    if (m_drucker) {
        m_modul->druckeBeidseitig(*m_drucker, vorne, hinten, kante);
        return;
    }
    SchreibePdf(m_pdf, m_titel,
                {[&vorne](QPainter &maler) { ZeichneSeite(maler, vorne); },
                 [&hinten](QPainter &maler) { ZeichneSeite(maler, hinten); }});
}

std::optional<Druckraender> Ausgabe::raender() const
{
    return m_drucker ? m_modul->unbedruckbareRaender(*m_drucker) : std::nullopt;
}

void Ausgabe::drucke(const QList<Seitenbild> &seite)
{
    if (m_drucker)
        m_modul->druckeAuf(*m_drucker, seite);
    else
        SchreibePdf(m_pdf, m_titel, [&seite](QPainter &maler) { ZeichneSeite(maler, seite); });
}

void Ausgabe::druckeSeiten(const QList<QList<Seitenbild>> &seiten, std::optional<Wendekante> beidseitig)
{
    if (m_drucker) {
        m_modul->druckeSeiten(*m_drucker, seiten, beidseitig);
        return;
    }
    QList<Seitenmaler> maler;
    for (const QList<Seitenbild> &seite : seiten)
        maler.append([&seite](QPainter &p) { ZeichneSeite(p, seite); });
    SchreibePdf(m_pdf, m_titel, maler);
}
