#include "tools/atlasgen/landings.h"

// Sites as published by the mission teams, refined where the Lunar
// Reconnaissance Orbiter Camera (LROC) has since photographed the hardware or
// the fresh crater. Where no picture has found the wreck, the position is the
// impact point computed from the tracking, as the NASA Space Science Data
// Coordinated Archive (NSSDCA) and the NASA history of the missions give it.
const QList<LandingSite>& landingSites()
{
    static const QList<LandingSite> sites{
        {"Luna 2", 29.10, 0.00, true},   // 1959, the first object to reach the Moon; NSSDCA
        // 1965, retrorocket never fired. Three positions are published: 31 S, 8 W (announced at the time,
        // still in NSSDCA), 1.6 S, 25 W (repeated in lists without a primary source) and 8 N, 23 W (NASA
        // history, Siddiqi, Beyond Earth, 2018, from the tracking). The last is the only one that names its
        // source and the most recent reading of the tracking; no orbital picture has found the crater.
        {"Luna 5", 8.0, -23.0, true},
        {"Luna 7", 9.80, -47.80, true},   // 1965, retrorocket cut off; NSSDCA, 9 48' N, 47 48' W
        {"Luna 8", 9.13, -63.30, true},   // 1965, airbag burst before braking; NSSDCA, 9 8' N, 63 18' W
        {"Luna 9", 7.08, -64.37, false},   // first soft landing, 1966
        {"Luna 13", 18.87, -62.05, false},   // 1966
        {"Luna 15", 17.0, 60.0, true},   // 1969, during Apollo 11; NSSDCA
        {"Luna 16", -0.5137, 56.3638, false},   // first robotic sample return, 1970
        {"Luna 17", 38.2378, -34.9966, false},   // Lunokhod 1, 1970
        {"Luna 18", 3.57, 56.50, true},   // 1971, in the highlands by Apollonius; NSSDCA, 3 34' N, 56 30' E
        {"Luna 20", 3.7863, 56.6242, false},   // samples, 1972
        {"Luna 21", 25.9994, 30.4076, false},   // Lunokhod 2, 1973
        {"Luna 23", 12.6669, 62.1511, false},   // landed, tipped over, 1974
        {"Luna 24", 12.7145, 62.2129, false},   // samples, 1976
        {"Ranger 6", 9.39, 21.51, true},   // as planned, cameras failed, 1964
        {"Ranger 7", -10.6346, -20.6771, true},   // 1964
        {"Ranger 8", 2.6377, 24.7881, true},   // 1965
        {"Ranger 9", -12.8281, -2.3874, true},   // in Alphonsus, 1965
        {"Surveyor 1", -2.4745, -43.3394, false},   // 1966
        {"Surveyor 2", 5.5, -12.0, true},   // 1966, tumbling after a vernier failed; JPL's impact estimate
                                             // (NSSDCA), south-east of Copernicus
        {"Surveyor 3", -3.0160, -23.4178, false},   // 1967, visited by Apollo 12
        {"Surveyor 4", 0.45, -1.39, true},   // 1967, lost 2.5 minutes before touchdown; NSSDCA impact estimate
        {"Surveyor 5", 1.4550, 23.1952, false},   // 1967
        {"Surveyor 6", 0.4738, -1.4275, false},   // 1967
        {"Surveyor 7", -40.9807, -11.5120, false},   // 1968, near Tycho
        {"Apollo 11", 0.67408, 23.47297, false},   // 1969
        {"Apollo 12", -3.01239, -23.42157, false},   // 1969
        {"Apollo 14", -3.64530, -17.47136, false},   // 1971
        {"Apollo 15", 26.13222, 3.63386, false},   // 1971
        {"Apollo 16", -8.97301, 15.50019, false},   // 1972
        {"Apollo 17", 20.19080, 30.77168, false},   // 1972
        // The Saturn V third stages (S-IVB), steered into the Moon for the seismometers. All five craters
        // (30-40 m) have been found in LROC images.
        {"Apollo 13 S-IVB", -2.55, -27.88, true},   // April 1970; LROC NAC M109420042LE (NASA/GSFC/ASU, 2012)
        {"Apollo 14 S-IVB", -8.17, -26.05, true},   // February 1971; 8 10' S, 26 03' W, the crater in the Apollo 16
                                                     // metric photographs (Topophotomap 76-D1), seen by LROC in 2009
        {"Apollo 15 S-IVB", -1.51, -11.81, true},   // July 1971; Apollo 15 mission report, crater seen by LROC
        {"Apollo 16 S-IVB", 1.922, -25.62, true},   // April 1972; found by J. Plescia in LROC images in 2015 at
                                                     // 1.922 N, 334.38 E, about 30 km from the Apollo-era estimate
        {"Apollo 17 S-IVB", -4.21, -12.31, true},   // December 1972; Apollo 17 mission report, 31 m crater (LROC)
        // The lunar-module ascent stages sent back into the Moon after the crew had left them, positions from
        // the tracking and the seismometers as the mission reports give them.
        {"Apollo 12 opstijgtrap", -3.94, -21.20, true},   // Intrepid, November 1969
        {"Apollo 14 opstijgtrap", -3.42, -19.67, true},   // Antares, February 1971; Apollo 14 Preliminary
                                                           // Science Report
        {"Apollo 15 opstijgtrap", 26.36, 0.25, true},   // Falcon, August 1971
        {"Apollo 17 opstijgtrap", 19.96, 30.50, true},   // Challenger, December 1972
        {"Lunar Prospector", -87.7, 42.1, true},   // deliberate, 1999
        {"SMART-1", -34.262, -46.193, true},   // deliberate, 2006
        {"Chandrayaan-1 MIP", -89.76, -39.40, true},   // Moon Impact Probe, deliberate, 2008
        {"Chang'e 1", -1.50, 52.36, true},   // deliberate, 2009
        {"LCROSS", -84.675, -48.725, true},   // deliberate, into Cabeus, 2009
        {"GRAIL", 75.62, -26.63, true},   // Ebb and Flow, deliberate, 2012
        {"Chang'e 3", 44.1214, -19.5116, false},   // Yutu rover, 2013
        {"Beresheet", 32.5956, 19.3496, true},   // 2019, main engine failed; LROC, 15 May 2019
        {"Chandrayaan-2", -70.8810, 22.7840, true},   // lander Vikram, 2019; LROC, 2 December 2019
        {"Chang'e 5", 43.0576, -51.9161, false},   // sample return, 2020
        {"Chang'e 5 opstijgtrap", -30.0, 0.0, true},   // 7 December 2020, steered down after handing over the
                                                         // samples; CNSA's announced point, 30 S, 0 E (no crater
                                                         // identified in orbital images that we know of)
        {"Hakuto-R M1", 47.581, 44.094, true},   // 2023, ran out of fuel hovering; LROC, 23 May 2023
        {"Luna 25", -57.865, 61.360, true},   // 2023, on Pontécoulant G's inner rim; LROC, 31 August 2023
        {"Chandrayaan-3", -69.3733, 32.3191, false},   // Vikram, 2023
        {"SLIM", -13.3160, 25.2510, false},   // 2024
        {"IM-1", -80.1300, 1.4376, false},   // Odysseus, 2024
        {"Blue Ghost 1", 18.5620, 61.8103, false},   // 2025
        {"IM-2", -84.7906, 29.1957, false},   // Athena, tipped over, 2025
        {"Hakuto-R M2", 60.5, -4.6, true},   // Resilience, 5 June 2025 (UTC), laser range finder failed; ispace's
                                              // target in the middle of Mare Frigoris, where LROC found the dark
                                              // impact scar on 11 June 2025
    };
    return sites;
}

QString landingName(const LandingSite& site)
{
    QString name = QString::fromUtf8(site.craft) + QStringLiteral(" Landing");
    if (site.impact)
        name += QStringLiteral(" (inslag)");
    return name;
}
