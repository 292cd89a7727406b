// The worksheet's sections, described once: their rows, their Clear button,
// the routines that their rows' picks and their Clear run, and their shares
// of the summary tallies. The route table, the window's reading order, the
// tests and the fuzz target all read this table.
#pragma once

#include "handlers.h"
#include "tallies.h"

#include "worksheet/rows.h"
#include "worksheet/sheet.h"

#include <span>
#include <string_view>

namespace sections {

// A section's running share of a summary tally. A share that is `taken`
// counts against the tally (seats and cargo used up): the section's Clear
// gives it back rather than taking it out.
struct Share {
    Control tally;
    Control share;
    bool taken = false;
};

struct Section {
    std::string_view name;
    Control heading; // the caption over the section's rows
    std::span<const worksheet::Row> rows;
    Control clear;
    worksheet::Handler pick;
    worksheet::Handler clearSection;
    std::span<const Share> shares;
    // What the Clear leaves in each share: " " for the vehicles, "0" for the
    // others.
    std::string_view clearedShare;
    // Rows of another section that this section's Clear blanks as well, in a
    // step of its own.
    std::span<const worksheet::Row> alsoBlanks = {};
};

inline constexpr Share sharesOfTrucks[] = {
    {summary::suppliesNeeded, truckShares::suppliesNeeded},
    {summary::combatLoad, truckShares::combatLoad},
    {summary::towing, truckShares::towing},
};
inline constexpr Share sharesOfApcs[] = {
    {summary::combatLoad, apcShares::combatLoad}, {summary::suppliesNeeded, apcShares::suppliesNeeded},
    {summary::towing, apcShares::towing},         {summary::cargoPounds, apcShares::cargoPounds},
    {summary::squads, apcShares::squads},
};
inline constexpr Share sharesOfArmour[] = {
    {summary::squads, armourShares::squads},
    {summary::towing, armourShares::towing},
    {summary::suppliesNeeded, armourShares::suppliesNeeded},
    {summary::combatLoad, armourShares::combatLoad},
};
inline constexpr Share sharesOfOtherVehicles[] = {
    {summary::combatLoad, otherVehicleShares::combatLoad},
    {summary::suppliesNeeded, otherVehicleShares::suppliesNeeded},
    {summary::towing, otherVehicleShares::towing},
};
inline constexpr Share sharesOfInfantry[] = {
    {summary::squads, infantryShares::squadsTaken, true},
    {summary::cargoPounds, infantryShares::cargoTaken, true},
    {summary::suppliesNeeded, infantryShares::suppliesNeeded},
    {summary::combatLoad, infantryShares::combatLoad},
};
inline constexpr Share sharesOfWeapons[] = {
    {summary::combatLoad, weaponShares::combatLoad},
    {summary::suppliesNeeded, weaponShares::suppliesNeeded},
    {summary::cargoPounds, weaponShares::cargoTaken, true},
};
inline constexpr Share sharesOfTowedUnits[] = {
    {summary::towing, towedShares::towingTaken, true},
    {summary::suppliesNeeded, towedShares::suppliesNeeded},
    {summary::combatLoad, towedShares::combatLoad},
};

// The combat supplies row's share of the cargo, which the Weapons Clear
// gives back.
inline constexpr Share sharesOfSupplies[] = {{summary::cargoPounds, supplyShares::cargoTaken, true}};

// The sections, in the order the worksheet reads them.
inline constexpr Section sectionTable[] = {
    {"Trucks", "Label134"_ctl, worksheet::truckRows, "Command11"_ctl, truckPick, trucksClear, sharesOfTrucks, " ", worksheet::apcRows},
    {"Armour", "Label48"_ctl, worksheet::armourRows, "Command19"_ctl, armourPick, armourClear, sharesOfArmour, " "},
    {"Vehicles", "Label62"_ctl, worksheet::otherVehicleRows, "Command5"_ctl, otherVehiclePick, otherVehiclesClear,
     sharesOfOtherVehicles, " "},
    {"APCs", "Label59"_ctl, worksheet::apcRows, "Command7"_ctl, apcPick, apcsClear, sharesOfApcs, " "},
    {"Infantry", "Label8"_ctl, worksheet::infantryRows, "Command2"_ctl, infantryPick, infantryClear, sharesOfInfantry, "0"},
    {"Weapons", "Label132"_ctl,
     worksheet::weaponRows,
     "Command8"_ctl,
     weaponPick,
     weaponsClear,
     sharesOfWeapons,
     "0",
     {&worksheet::supplyRow, 1}},
    {"Towed units", "Label14"_ctl, worksheet::towedRows, "Command16"_ctl, towedPick, towedClear, sharesOfTowedUnits, "0"},
};
inline constexpr const Section& trucks = sectionTable[0];
inline constexpr const Section& armour = sectionTable[1];
inline constexpr const Section& otherVehicles = sectionTable[2];
inline constexpr const Section& apcs = sectionTable[3];
inline constexpr const Section& infantry = sectionTable[4];
inline constexpr const Section& weapons = sectionTable[5];
inline constexpr const Section& towedUnits = sectionTable[6];

// What one pick adds to each summary tally: the row's count times the
// kind's figures (a taken amount is what the pick uses up). The sections
// multiply count, figure and mission factor each in its own order, which is
// kept: the last digit of a product can depend on it.
struct Amounts {
    double squads = 0;
    double cargoPounds = 0;
    double towing = 0;
    double suppliesNeeded = 0;
    double combatLoad = 0;
    // The amount for a summary figure; no other label has one.
    double of(Control tally) const;
};

// Adds each amount to the section's share of its tally and to the tally
// (takes it off the tally for a taken share).
void book(worksheet::Sheet& sheet, std::span<const Share> shares, const Amounts& amounts);
// Takes each share back out of its tally (gives a taken share back).
void takeBack(worksheet::Sheet& sheet, std::span<const Share> shares);

// A section's own step in its Clear, run once its shares are back out of
// the tallies and before they are reset.
using ClearStep = void (*)(worksheet::Sheet&);
// A Clear: blanks the section's rows (count boxes first, then lists), takes
// its shares back out of their tallies, runs the section's own step, and
// leaves clearedShare in every share.
void clearSection(worksheet::Sheet& sheet, const Section& section, ClearStep ownStep = nullptr);

} // namespace sections
