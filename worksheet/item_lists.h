// The fixed item lists that start-up puts into the drop-down lists, each
// item as the list shows it. Included by form.h.
#pragma once

#include <string_view>

namespace worksheet::itemLists {

inline constexpr std::string_view missionTypes[] = {
    "None", "Recon", "Probe", "Advance To Contact", "Artillery Barrage", "Deliberate Attack", "Raid",
};
inline constexpr std::string_view missionNumbers[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
inline constexpr std::string_view combatSupplies[] = {"Combat Supplies"};
inline constexpr std::string_view trucks[] = {
    "None",
    "ZIL Medium Truck",
    "Ural-375 Heavy Truck",
    "Landrover",
    "Trailer",
    "Mule Train",
    "PTS",
    "LARC-5",
    "BAV-485",
    "ATMP",
    "Prinzgauer Ambulance",
};
inline constexpr std::string_view apcs[] = {
    "None",        "BMD-1 APC",          "ENGESA EE-11 Uruta APC",   "FV433 Stormer Command Post",
    "BTR-152 APC", "FV 601 Saracen APC", "AMX-VCG Engineer Vehicle",
};
inline constexpr std::string_view armour[] = {
    "None",
    "M-48 Medium Tank",
    "AMX-13 Lt Tank",
    "TAM Medium Tank",
    "PT-76 Lt Tank",
    "ASU-57 Assault Gun",
    "Scorpion Lt Tank",
    "Type 69 Main Battle Tank",
    "FV-601 Saladin Armoured Car",
    "Panhard VBL Armoured Car",
    "Wiesel Armoured Veh",
    "EE-9 Cascavel Armoured Car",
    "Fiat 6616 Armoured Car",
    "EE-3 Jararaca Armoured Car",
};
inline constexpr std::string_view otherVehicles[] = {
    "None",
    "VT-55 Armoured Recovery Vehicle",
    "M-820 Mobile Workshop",
    "IMR Combat Engineer Vehicle",
    "RV-730 Recovery Truck",
    "BAT-M Bulldozer",
    "Military Excavator",
    "EWK-M2 Ferry",
    "Ceasar 155mm SP Arty",
    "Abbot 105mm SP Arty",
    "SPM-85 SP Mortar",
    "Astros II",
    "Panhard M3 VDA",
    "ZRK Romb Launcher (SA-8)",
    "AMX-DCA",
};
inline constexpr std::string_view infantry[] = {
    "None",
    "Militia Infantry Squad",
    "Combat Engineer Squad",
    "Commander",
    "Officer",
    "Field CP Section",
    "TAC HQ Section",
    "Pioneer Section",
    "Medic Section",
    "Raider Section",
    "Infantry Squad",
    "Marine Squad",
    "Mechanic Section",
};
inline constexpr std::string_view weapons[] = {
    "none",
    "RPG-7 Anti Tank Rocket",
    "AT-3 Sagger ATGM",
    "Bangalore Torpedo",
    "Smoke Munition",
    "Demo Charges",
    "Illumination",
    "M-29 81mm Mortar",
    "OFB  E-1 2 Inch Mortar",
    "Browning .50 Heavy Machinegun",
    "FFV Carl Gustav Rocket Launcher",
    "Merte MK2 Anti Ship Missile",
    "Mon-50 Mine",
    "FIM-92 Stinger SAM",
    "SA-8 Gecko SAM",
    "SA-7 SAM",
};
inline constexpr std::string_view towedUnits[] = {
    "None",
    "Model 56 OTO Mal 105 PAK",
    "M-101 105 mm Howitzer",
    "SBAT-70 Rocket Launcher",
    "L-6 Wombat 120mm RR",
    "ZPU-4 14.5 mm Quad Heavy Machingegun",
    "Rh202 Twin 20mm Anti-Aircraft Cannon",
    "S-60 57mm Anti Aircraft Gun",
    "ZU-23-2 Twin 23mm Anti Aircraft Gun",
};

} // namespace worksheet::itemLists
