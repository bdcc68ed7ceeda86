#include "tools/atlasgen/wellknown.h"

// Craters an observer meets on every beginner's map and observing list, the
// small bright ones (Linné, Censorinus) and the landmarks of the classic
// lunar tours (Lunar 100 and the like) included; then the rilles, ridges,
// mountains and capes of those lists.
const QStringList& wellKnownNames()
{
    static const QStringList names{
        "Agrippa", "Albategnius", "Aliacensis", "Alpetragius", "Alphonsus", "Anaxagoras", "Arago",
        "Archimedes", "Aristarchus", "Aristillus", "Aristoteles", "Arzachel", "Atlas", "Autolycus", "Bailly",
        "Bessarion", "Bessel", "Birt", "Blancanus", "Bullialdus", "Bürg", "Campanus", "Capuanus", "Cassini",
        "Catharina", "Cauchy", "Censorinus", "Clavius", "Cleomedes", "Copernicus", "Cyrillus", "Dawes",
        "Delambre", "Delisle", "Deslandres", "Dionysius", "Diophantus", "Encke", "Endymion", "Eratosthenes",
        "Euclides", "Eudoxus", "Euler", "Flamsteed", "Fra Mauro", "Fracastorius", "Furnerius", "Galilaei",
        "Gassendi", "Gauss", "Goclenius", "Godin", "Grimaldi", "Gruithuisen", "Gutenberg", "Hainzel",
        "Harpalus", "Hell", "Hercules", "Herodotus", "Herschel", "Hesiodus", "Hevelius", "Hipparchus",
        "Hortensius", "Humboldt", "Hyginus", "Isidorus", "Janssen", "Julius Caesar", "Kant", "Kepler", "Kies",
        "Krieger", "Lalande", "Lambert", "Langrenus", "Lansberg", "Letronne", "Linné",
        "Longomontanus", "Macrobius", "Mädler", "Maginus", "Mairan", "Manilius", "Marius", "Maskelyne",
        "Maurolycus", "Menelaus", "Mersenius", "Messier", "Moltke", "Mösting", "Parry", "Peirce", "Petavius",
        "Philolaus", "Picard", "Piccolomini", "Pitatus", "Plato", "Plinius", "Posidonius", "Proclus",
        "Ptolemaeus", "Purbach", "Pythagoras", "Pytheas", "Regiomontanus", "Reiner", "Reinhold", "Riccioli",
        "Ritter", "Ross", "Sabine", "Schiaparelli", "Schickard", "Schiller", "Seleucus", "Sharp", "Sirsalis",
        "Stöfler", "Sulpicius Gallus", "Taruntius", "Thales", "Theaetetus", "Thebit", "Theophilus",
        "Timocharis", "Triesnecker", "Tycho", "Vendelinus", "Vieta", "Vitello", "Walther", "Wargentin",
        "Werner",
        "Catena Davy", "Dorsa Smirnov", "Mons Hadley", "Mons Huygens", "Mons Pico", "Mons Piton",
        "Mons Rümker", "Promontorium Agarum", "Promontorium Heraclides", "Promontorium Laplace",
        "Reiner Gamma", "Rima Ariadaeus", "Rima Hadley", "Rima Hyginus", "Rimae Hippalus", "Rimae Sirsalis",
        "Rimae Triesnecker", "Rupes Altai", "Rupes Cauchy", "Rupes Recta", "Sinus Iridum", "Vallis Alpes",
        "Vallis Rheita", "Vallis Schröteri",
    };
    return names;
}

// What the full moon shows best: craters whose rays or bright floors and walls
// stand out when there are no shadows, small ones included.
const QStringList& fullMoonSightNames()
{
    static const QStringList names{
        "Alfraganus", "Anaxagoras", "Aristarchus", "Bode",      "Carlini",  "Censorinus", "Conon",
        "Copernicus", "Dionysius",  "Glushko",     "Helicon",   "Kepler",   "Le Verrier", "Lichtenberg",
        "Linné",      "Menelaus",   "Proclus",     "Thales",    "Tycho",
    };
    return names;
}

bool isWellKnown(const QString& iauName)
{
    static const QSet<QString> set = [] {
        QSet<QString> all(wellKnownNames().begin(), wellKnownNames().end());
        for (const auto& n : fullMoonSightNames())
            all.insert(n);
        return all;
    }();
    return set.contains(iauName);
}

bool isFullMoonSight(const QString& iauName)
{
    static const QSet<QString> set(fullMoonSightNames().begin(), fullMoonSightNames().end());
    return set.contains(iauName);
}
