#include "tools/atlasgen/landings.h"

// Sites as published by the mission teams, refined where the Lunar
// Reconnaissance Orbiter has since photographed the hardware.
const QList<LandingSite>& landingSites()
{
    static const QList<LandingSite> sites{
        {"Luna 2 Landing", 29.10, 0.00, "eerste voorwerp van mensenhand op de Maan (inslag, 1959)"},
        {"Luna 9 Landing", 7.08, -64.37, "eerste zachte landing en eerste foto's vanaf het oppervlak (1966)"},
        {"Luna 13 Landing", 18.87, -62.05, "zachte landing met bodemsonde (1966)"},
        {"Luna 16 Landing", -0.5137, 56.3638, "eerste onbemande terugkeer van maanbodem naar de aarde (1970)"},
        {"Luna 17 Landing", 38.2378, -34.9966, "bracht het wagentje Lunochod 1 naar de Maan (1970)"},
        {"Luna 20 Landing", 3.7863, 56.6242, "haalde bodemmonsters uit het hoogland bij Apollonius (1972)"},
        {"Luna 21 Landing", 25.9994, 30.4076, "bracht Lunochod 2 naar de krater Le Monnier (1973)"},
        {"Luna 23 Landing", 12.6669, 62.1511, "landde in Mare Crisium maar kantelde; de boor werkte niet (1974)"},
        {"Luna 24 Landing", 12.7145, 62.2129, "boorde 2 meter diep in Mare Crisium (1976)"},
        {"Ranger 7 Landing", -10.6346, -20.6771, "eerste scherpe foto's van dichtbij, tot de inslag (1964)"},
        {"Ranger 8 Landing", 2.6377, 24.7881, "fotografeerde Mare Tranquillitatis tot de inslag (1965)"},
        {"Ranger 9 Landing", -12.8281, -2.3874, "sloeg in de krater Alphonsus in, live op televisie (1965)"},
        {"Surveyor 1 Landing", -2.4745, -43.3394, "eerste Amerikaanse zachte landing (1966)"},
        {"Surveyor 3 Landing", -3.0160, -23.4178, "in 1969 bezocht door de bemanning van Apollo 12 (1967)"},
        {"Surveyor 5 Landing", 1.4550, 23.1952, "eerste chemische analyse van de maanbodem (1967)"},
        {"Surveyor 6 Landing", 0.4738, -1.4275, "maakte als eerste een korte 'sprong' op de Maan (1967)"},
        {"Surveyor 7 Landing", -40.9807, -11.5120, "landde op de uitwerpselen van de krater Tycho (1968)"},
        {"Apollo 11 Landing", 0.67408, 23.47297, "eerste mensen op de Maan: Armstrong en Aldrin (juli 1969)"},
        {"Apollo 12 Landing", -3.01239, -23.42157, "Conrad en Bean, vlak bij Surveyor 3 (november 1969)"},
        {"Apollo 14 Landing", -3.64530, -17.47136, "Shepard en Mitchell in het Fra Mauro-hoogland (1971)"},
        {"Apollo 15 Landing", 26.13222, 3.63386, "Scott en Irwin bij Rima Hadley, met het eerste maanwagentje (1971)"},
        {"Apollo 16 Landing", -8.97301, 15.50019, "Young en Duke in het hoogland bij Descartes (1972)"},
        {"Apollo 17 Landing", 20.19080, 30.77168, "Cernan en Schmitt in het dal Taurus-Littrow (december 1972)"},
        {"Chang'e 3 Landing", 44.1214, -19.5116, "Chinese landing met het wagentje Yutu (2013)"},
        {"Chang'e 5 Landing", 43.0576, -51.9161, "haalde jong basalt uit Oceanus Procellarum naar de aarde (2020)"},
        {"Chandrayaan-3 Landing", -69.3733, 32.3191, "eerste Indiase landing, dicht bij de zuidpool (2023)"},
        {"SLIM Landing", -13.3160, 25.2510, "Japanse precisielanding bij de krater Shioli (2024)"},
        {"IM-1 Landing", -80.1300, 1.4376, "Odysseus, eerste commerciële landing, bij de krater Malapert A (2024)"},
        {"Blue Ghost 1 Landing", 18.5620, 61.8103, "commerciële landing bij Mons Latreille in Mare Crisium (2025)"},
        {"IM-2 Landing", -84.7906, 29.1957, "Athena, landde op het plateau Mons Mouton maar viel om (2025)"},
        {"Lunar Prospector Landing", -87.7, 42.1, "bewust in een krater bij de zuidpool gestuurd, op zoek naar waterijs (1999)"},
        {"LCROSS Landing", -84.675, -48.725, "bewuste inslag in de krater Cabeus: in de opgeworpen wolk werd water gevonden (2009)"},
        {"SMART-1 Landing", -34.262, -46.193, "Europese sonde, bewust ingeslagen; de lichtflits werd vanaf de aarde gezien (2006)"},
        {"Chang'e 1 Landing", -1.50, 52.36, "Chinese satelliet, aan het eind van de missie bewust ingeslagen (2009)"},
        {"GRAIL Landing", 75.62, -26.63, "de tweelingsatellieten Ebb en Flow, bewust ingeslagen na het meten van het zwaarteveld (2012)"},
    };
    return sites;
}
