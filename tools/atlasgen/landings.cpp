#include "tools/atlasgen/landings.h"

// Sites as published by the mission teams, refined where the Lunar
// Reconnaissance Orbiter has since photographed the hardware.
const QList<LandingSite>& landingSites()
{
    static const QList<LandingSite> sites{
        {"Luna 2 Landing", 29.10, 0.00},   // impact, 1959
        {"Luna 9 Landing", 7.08, -64.37},   // first soft landing, 1966
        {"Luna 13 Landing", 18.87, -62.05},   // 1966
        {"Luna 16 Landing", -0.5137, 56.3638},   // first robotic sample return, 1970
        {"Luna 17 Landing", 38.2378, -34.9966},   // Lunokhod 1, 1970
        {"Luna 20 Landing", 3.7863, 56.6242},   // samples, 1972
        {"Luna 21 Landing", 25.9994, 30.4076},   // Lunokhod 2, 1973
        {"Luna 23 Landing", 12.6669, 62.1511},   // landed, tipped over, 1974
        {"Luna 24 Landing", 12.7145, 62.2129},   // samples, 1976
        {"Ranger 6 Landing", 9.39, 21.51},   // impact as planned, cameras failed, 1964
        {"Ranger 7 Landing", -10.6346, -20.6771},   // impact, 1964
        {"Ranger 8 Landing", 2.6377, 24.7881},   // impact, 1965
        {"Ranger 9 Landing", -12.8281, -2.3874},   // impact in Alphonsus, 1965
        {"Surveyor 1 Landing", -2.4745, -43.3394},   // 1966
        {"Surveyor 3 Landing", -3.0160, -23.4178},   // 1967, visited by Apollo 12
        {"Surveyor 5 Landing", 1.4550, 23.1952},   // 1967
        {"Surveyor 6 Landing", 0.4738, -1.4275},   // 1967
        {"Surveyor 7 Landing", -40.9807, -11.5120},   // 1968, near Tycho
        {"Apollo 11 Landing", 0.67408, 23.47297},   // 1969
        {"Apollo 12 Landing", -3.01239, -23.42157},   // 1969
        {"Apollo 14 Landing", -3.64530, -17.47136},   // 1971
        {"Apollo 15 Landing", 26.13222, 3.63386},   // 1971
        {"Apollo 16 Landing", -8.97301, 15.50019},   // 1972
        {"Apollo 17 Landing", 20.19080, 30.77168},   // 1972
        {"Chang'e 3 Landing", 44.1214, -19.5116},   // Yutu rover, 2013
        {"Chang'e 5 Landing", 43.0576, -51.9161},   // sample return, 2020
        {"Chandrayaan-3 Landing", -69.3733, 32.3191},   // Vikram, 2023
        {"SLIM Landing", -13.3160, 25.2510},   // 2024
        {"IM-1 Landing", -80.1300, 1.4376},   // Odysseus, 2024
        {"Blue Ghost 1 Landing", 18.5620, 61.8103},   // 2025
        {"IM-2 Landing", -84.7906, 29.1957},   // Athena, tipped over, 2025
        {"Lunar Prospector Landing", -87.7, 42.1},   // deliberate impact, 1999
        {"LCROSS Landing", -84.675, -48.725},   // deliberate impact into Cabeus, 2009
        {"SMART-1 Landing", -34.262, -46.193},   // deliberate impact, 2006
        {"Chang'e 1 Landing", -1.50, 52.36},   // deliberate impact, 2009
        {"Chandrayaan-1 MIP Landing", -89.76, -39.40},   // Moon Impact Probe, deliberate, 2008
        {"GRAIL Landing", 75.62, -26.63},   // Ebb and Flow, deliberate impacts, 2012
    };
    return sites;
}
