// The worksheet window as it is created: every control once, with its
// caption or text, geometry in twips, and state at creation. Included by
// form.h only.
#pragma once

namespace worksheet {

namespace make {

constexpr ControlDecl window(std::string_view name, std::string_view caption, int width, int height)
{
    return {name, Kind::Window, caption, 0, 0, width, height};
}
constexpr ControlDecl label(std::string_view name, std::string_view caption, int l, int t, int w, int h,
                            Look look = Look::Plain)
{
    return {name, Kind::Label, caption, l, t, w, h, true, true, ItemList::None, look};
}
// A bookkeeping label of the hidden part; it still holds its caption.
constexpr ControlDecl hidden(std::string_view name, std::string_view caption, int l, int t, int w = 1095, int h = 255)
{
    return {name, Kind::Label, caption, l, t, w, h, false};
}
constexpr ControlDecl box(std::string_view name, int l, int t, int w = 375, int h = 285)
{
    return {name, Kind::TextBox, "", l, t, w, h};
}
constexpr ControlDecl list(std::string_view name, ItemList items, int l, int t, int w, int h = 315, bool enabled = true,
                           std::string_view text = "")
{
    return {name, Kind::List, text, l, t, w, h, true, enabled, items};
}
constexpr ControlDecl button(std::string_view name, std::string_view caption, int l, int t, int w, int h,
                             bool visible = true, bool enabled = true)
{
    return {name, Kind::Button, caption, l, t, w, h, visible, enabled};
}
constexpr ControlDecl check(std::string_view name, int l, int t)
{
    return {name, Kind::CheckBox, "", l, t, 375, 255};
}
constexpr ControlDecl line(std::string_view name, int x1, int y1, int x2, int y2)
{
    return {name, Kind::Line, "", x1, y1, x2 - x1, y2 - y1};
}
constexpr ControlDecl shape(std::string_view name, int l, int t, int w, int h)
{
    return {name, Kind::Shape, "", l, t, w, h};
}

// Row tops of the vehicle columns and of the troop columns.
constexpr int vehicleRow[] = {1920, 2400, 2880, 3360, 3840};
constexpr int apcRow[] = {4680, 5160, 5640, 6120};
constexpr int troopRow[] = {7680, 8160, 8640, 9120, 9600, 10080, 10560, 11040, 11520};
constexpr int vehicleList = 1455;
constexpr int troopList = 1575;

// Columns and rows of the hidden grids.
constexpr int trucksCol = 10440, apcsCol = 11640, towedCol = 13200, vehiclesCol = 14880, armourCol = 16080;
constexpr int combatLoadRow = 2040, supplyUseRow = 2520, towedUnitsRow = 3000, towingUnitsRow = 3480,
              cargoLoadRow = 3960, troopLoadRow = 4440;
constexpr int infantryCol = 10080, weaponsCol = 11280;
constexpr int cargoCapRow = 8040, troopCombatLoadRow = 8520, supplyNeededRow = 9000, squadCountRow = 9480,
              troopCargoLoadRow = 9960;
constexpr int otherTallyCol = 13200;

// Summary panel columns.
constexpr int sentenceLeft = 2640, tallyLeft = 4080, afterLeft = 4920, afterWidth = 3255;

using enum ItemList;

} // namespace make

inline constexpr ControlDecl form[] = {
    make::window("Form1", "Combat Worksheet", 17655, 12915),

    // Header
    make::label("Label84", "Attack From:", 120, 120, 1335, 375, Look::Heading),
    make::box("Text35", 1560, 120, 2535, 375),
    make::label("Label86", "Number", 4200, 120, 615, 375, Look::Heading),
    make::box("Text37", 4920, 120, 855, 375),
    {"Label1", Kind::Label, "0", 6120, 120, 495, 255, false},
    make::button("Command1", "Print", 6960, 120, 1095, 375),
    make::label("Label85", "Attack On", 120, 600, 1335, 375, Look::Heading),
    make::box("Text36", 1560, 600, 2535, 375),
    make::label("Label87", "Number", 4200, 600, 615, 375, Look::Heading),
    make::box("Text38", 4920, 600, 855, 375),
    make::button("Command3", "Exit", 6960, 720, 1095, 495),
    make::button("Command4", "Save As", 8280, 720, 1215, 495, false, false),
    make::label("Label3", "Mission Type", 240, 1080, 1095, 255),
    make::list("Combo2", make::MissionTypes, 1680, 1080, 1935, 315, true, "None"),

    // Vehicle columns
    make::line("Line12", 2400, 1800, 2400, 4200),
    make::line("Line2", 4680, 1680, 4680, 4200),
    make::line("Line3", 7200, 1560, 7200, 4200),

    make::label("Label134", "Trucks", 240, 1560, 1095, 255, Look::Heading),
    make::button("Command11", "Clear", 1440, 1560, 735, 255),
    make::box("Text10", 240, make::vehicleRow[0]),
    make::list("Combo33", make::Trucks, 840, make::vehicleRow[0], make::vehicleList),
    make::box("Text13", 240, make::vehicleRow[1]),
    make::list("Combo34", make::Trucks, 840, make::vehicleRow[1], make::vehicleList),
    make::box("Text30", 240, make::vehicleRow[2]),
    make::list("Combo35", make::Trucks, 840, make::vehicleRow[2], make::vehicleList),
    make::box("Text40", 240, make::vehicleRow[3]),
    make::list("Combo36", make::Trucks, 840, make::vehicleRow[3], make::vehicleList),
    make::box("Text44", 240, make::vehicleRow[4]),
    make::list("Combo37", make::Trucks, 840, make::vehicleRow[4], make::vehicleList),

    make::label("Label48", "Armour", 2640, 1560, 855, 255, Look::Heading),
    make::button("Command19", "Clear", 3600, 1440, 615, 375),
    make::box("Text20", 2520, make::vehicleRow[0]),
    make::list("Combo30", make::Armour, 3120, make::vehicleRow[0], make::vehicleList),
    make::box("Text21", 2520, make::vehicleRow[1]),
    make::list("Combo31", make::Armour, 3120, make::vehicleRow[1], make::vehicleList),
    make::box("Text22", 2520, make::vehicleRow[2]),
    make::list("Combo32", make::Armour, 3120, make::vehicleRow[2], make::vehicleList),
    make::box("Text52", 2520, make::vehicleRow[3]),
    make::list("Combo45", make::Armour, 3120, make::vehicleRow[3], make::vehicleList),
    make::box("Text53", 2520, make::vehicleRow[4]),
    make::list("Combo46", make::Armour, 3120, make::vehicleRow[4], make::vehicleList),

    make::label("Label62", "Vehicles", 4920, 1440, 975, 255, Look::Heading),
    make::button("Command5", "Clear", 6000, 1440, 735, 255),
    make::box("Text12", 4920, make::vehicleRow[0]),
    make::list("Combo25", make::OtherVehicles, 5520, make::vehicleRow[0], make::vehicleList, 315, false),
    make::box("Text18", 4920, make::vehicleRow[1]),
    make::list("Combo28", make::OtherVehicles, 5520, make::vehicleRow[1], make::vehicleList, 315, false),
    make::box("Text19", 4920, make::vehicleRow[2]),
    make::list("Combo29", make::OtherVehicles, 5520, make::vehicleRow[2], make::vehicleList, 315, false),
    make::box("Text50", 4920, make::vehicleRow[3]),
    make::list("Combo43", make::OtherVehicles, 5520, make::vehicleRow[3], make::vehicleList, 315, false),

    // APCs
    make::label("Label59", "APCs", 360, 4320, 615, 255, Look::Heading),
    make::button("Command7", "Clear ", 1080, 4320, 1095, 255),
    make::box("Text46", 240, make::apcRow[0]),
    make::list("Combo39", make::APCs, 840, make::apcRow[0], make::vehicleList),
    make::box("Text47", 240, make::apcRow[1]),
    make::list("Combo40", make::APCs, 840, make::apcRow[1], make::vehicleList),
    make::box("Text48", 240, make::apcRow[2]),
    make::list("Combo41", make::APCs, 840, make::apcRow[2], make::vehicleList),
    make::box("Text49", 240, make::apcRow[3]),
    make::list("Combo42", make::APCs, 840, make::apcRow[3], make::vehicleList),

    // Summary panel
    make::shape("Shape1", 2520, 4440, 5775, 2655),
    make::label("Label109", "You can Carry ", make::sentenceLeft, 4680, 1380, 255),
    make::label("Label110", "0", make::tallyLeft, 4680, 780, 285, Look::Tally),
    make::label("Label68", "Squad/s", make::afterLeft, 4680, make::afterWidth, 255),
    make::label("Label107", "OR", make::sentenceLeft, 5160, 1140, 255),
    make::label("Label108", "0", 3840, 5160, 1020, 285, Look::Tally),
    make::label("Label70", "Pounds of Cargo", make::afterLeft, 5160, make::afterWidth, 255),
    make::label("Label39", "You can Tow", make::sentenceLeft, 5640, 1380, 255),
    make::label("Label40", "0", make::tallyLeft, 5640, 780, 285, Look::Tally),
    make::label("Label106", "Weapons from the \"Towed\" Section", make::afterLeft, 5640, make::afterWidth, 255),
    make::label("Label74", "You Will Need", make::sentenceLeft, 6120, 1380, 255),
    make::label("Label75", "0", make::tallyLeft, 6120, 780, 285, Look::Tally),
    make::label("Label111", "Combat Supplies for the Mission", make::afterLeft, 6120, make::afterWidth, 255),
    make::label("Label112", "Of Those,", make::sentenceLeft, 6600, 1380, 255),
    make::label("Label121", "0", make::tallyLeft, 6600, 780, 285, Look::Tally),
    make::label("Label93", "Supplies can be carried as the Combat Load", make::afterLeft, 6600, make::afterWidth, 450,
                Look::Wrapped),
    make::line("Line4", 240, 7200, 6000, 7200),

    // Infantry
    make::label("Label5", "Marching", 240, 7320, 735, 255),
    make::label("Label8", "Infantry", 1440, 7320, 735, 255, Look::Heading),
    make::button("Command2", "Clear", 2280, 7320, 615, 255),
    make::check("Check1", 240, make::troopRow[0]),
    make::box("Text4", 840, make::troopRow[0]),
    make::list("Combo1", make::Infantry, 1440, make::troopRow[0], make::troopList, 315, false),
    make::check("Check6", 240, make::troopRow[1]),
    make::box("Text5", 840, make::troopRow[1]),
    make::list("Combo3", make::Infantry, 1440, make::troopRow[1], make::troopList),
    make::check("Check11", 240, make::troopRow[2]),
    make::box("Text6", 840, make::troopRow[2]),
    make::list("Combo4", make::Infantry, 1440, make::troopRow[2], make::troopList),
    make::check("Check12", 240, make::troopRow[3]),
    make::box("Text7", 840, make::troopRow[3]),
    make::list("Combo5", make::Infantry, 1440, make::troopRow[3], make::troopList),
    make::check("Check13", 240, make::troopRow[4]),
    make::box("Text8", 840, make::troopRow[4]),
    make::list("Combo6", make::Infantry, 1440, make::troopRow[4], make::troopList),
    make::check("Check14", 240, make::troopRow[5]),
    make::box("Text9", 840, make::troopRow[5]),
    make::list("Combo7", make::Infantry, 1440, make::troopRow[5], make::troopList),
    make::check("Check4", 240, make::troopRow[6]),
    make::box("Text11", 840, make::troopRow[6]),
    make::list("Combo11", make::Infantry, 1440, make::troopRow[6], make::troopList),
    make::check("Check3", 240, make::troopRow[7]),
    make::box("Text3", 840, make::troopRow[7]),
    make::list("Combo10", make::Infantry, 1440, make::troopRow[7], make::troopList),
    make::check("Check2", 240, make::troopRow[8]),
    make::box("Text2", 840, make::troopRow[8]),
    make::list("Combo9", make::Infantry, 1440, make::troopRow[8], make::troopList),

    // Weapons
    make::label("Label132", "Weapons", 3600, 7320, 975, 255, Look::Heading),
    make::button("Command8", "Clear", 4680, 7320, 735, 255),
    make::box("Text23", 3600, make::troopRow[0]),
    make::list("Combo13", make::Weapons, 4200, make::troopRow[0], make::troopList),
    make::box("Text24", 3600, make::troopRow[1]),
    make::list("Combo14", make::Weapons, 4200, make::troopRow[1], make::troopList),
    make::box("Text25", 3600, make::troopRow[2]),
    make::list("Combo15", make::Weapons, 4200, make::troopRow[2], make::troopList),
    make::box("Text26", 3600, make::troopRow[3]),
    make::list("Combo16", make::Weapons, 4200, make::troopRow[3], make::troopList),
    make::box("Text27", 3600, make::troopRow[4]),
    make::list("Combo17", make::Weapons, 4200, make::troopRow[4], make::troopList),
    make::box("Text28", 3600, make::troopRow[5]),
    make::list("Combo18", make::Weapons, 4200, make::troopRow[5], make::troopList),
    make::box("Text14", 3600, make::troopRow[6]),
    make::list("Combo24", make::Weapons, 4200, make::troopRow[6], make::troopList),
    make::box("Text15", 3600, make::troopRow[7]),
    make::list("Combo23", make::Weapons, 4200, make::troopRow[7], make::troopList),
    make::box("Text16", 3600, make::troopRow[8]),
    make::list("Combo12", make::Weapons, 4200, make::troopRow[8], make::troopList),

    // Towed units
    make::label("Label14", "Towed Units", 6000, 7320, 1095, 255, Look::Heading),
    make::button("Command16", "Clear", 7200, 7320, 735, 255),
    make::box("Text32", 6000, make::troopRow[0]),
    make::list("Combo19", make::TowedUnits, 6600, make::troopRow[0], make::troopList, 315, false),
    make::box("Text33", 6000, make::troopRow[1]),
    make::list("Combo20", make::TowedUnits, 6600, make::troopRow[1], make::troopList, 315, false),
    make::box("Text34", 6000, make::troopRow[2]),
    make::list("Combo21", make::TowedUnits, 6600, make::troopRow[2], make::troopList, 315, false),
    make::box("Text39", 6000, make::troopRow[3]),
    make::list("Combo22", make::TowedUnits, 6600, make::troopRow[3], make::troopList, 315, false),

    // Close air support and combat supplies
    make::label("Label38", "Close Air Support Details are Given on Mission ", 6120, 10440, 1695, 735, Look::Wrapped),
    make::list("Combo26", make::MissionNumbers, 6960, 10920, 615, 315, true, "0"),
    make::button("Command6", "Clear", 7680, 11160, 975, 375),
    make::label("Label64", "Combat Supplies", 6240, 11280, 1335, 255),
    make::box("Text29", 6360, 11640, 735, 285),
    make::list("Combo8", make::CombatSupplies, 7320, 11640, make::troopList),

    // Hidden grid of vehicle shares
    make::hidden("Label24", "Trucks", make::trucksCol, 1560),
    make::hidden("Label26", "APCs", make::apcsCol, 1560),
    make::hidden("Label27", "Towed Units", make::towedCol, 1560),
    make::hidden("Label28", "Vehicles", make::vehiclesCol, 1560),
    make::hidden("Label29", "Armour", make::armourCol, 1560),
    make::hidden("Label16", "Combat Load", 8760, make::combatLoadRow),
    make::hidden("Label19", "Supply Use", 8760, make::supplyUseRow),
    make::hidden("Label20", "Towed Units", 8760, make::towedUnitsRow),
    make::hidden("Label23", "Towing Units", 8760, make::towingUnitsRow),
    make::hidden("Label63", "Cargo Load", 8760, make::cargoLoadRow),
    make::hidden("Label67", "Troop Load", 8760, make::troopLoadRow),
    make::hidden("Label18", "combat load", make::trucksCol, make::combatLoadRow),
    make::hidden("Label21", "supply used", make::trucksCol, make::supplyUseRow),
    make::hidden("Label22", "towed units", make::trucksCol, make::towedUnitsRow),
    make::hidden("Label25", "towing units", make::trucksCol, make::towingUnitsRow),
    make::hidden("Label34", "Combat Load", make::apcsCol, make::combatLoadRow),
    make::hidden("Label50", "Supply Used", make::apcsCol, make::supplyUseRow),
    make::hidden("Label46", "Towing Vehicles", make::apcsCol, make::towingUnitsRow),
    make::hidden("Label47", "Label47", make::apcsCol, make::cargoLoadRow),
    make::hidden("Label53", "Label53", make::apcsCol, make::troopLoadRow),
    make::hidden("Label171", "Combat Load", make::towedCol, make::combatLoadRow),
    make::hidden("Label170", "Supply Used", make::towedCol, make::supplyUseRow),
    make::hidden("Label13", "Total Towed Units", make::towedCol, make::towedUnitsRow),
    make::hidden("Label33", "", make::towedCol, 4920),
    make::hidden("Label130", "Combat Load", make::vehiclesCol, make::combatLoadRow),
    make::hidden("Label55", "Supply Used", make::vehiclesCol, make::supplyUseRow),
    make::hidden("Label44", "Towing Units", make::vehiclesCol, make::towingUnitsRow),
    make::hidden("Label80", "Combat Load", make::armourCol, make::combatLoadRow),
    make::hidden("Label77", "Supply Used", make::armourCol, make::supplyUseRow),
    make::hidden("Label41", "Label41", make::armourCol, make::towedUnitsRow),
    make::hidden("Label60", "Towing Units", make::armourCol, make::towingUnitsRow),

    // Hidden grid of troop shares
    make::hidden("Label32", "Infantry Stats", 9600, 7560),
    make::hidden("Label52", "Weapons Stats", 11160, 7560),
    make::hidden("Label30", "Cargo Cap", 8400, make::cargoCapRow),
    make::hidden("Label54", "combat Load", 8400, make::troopCombatLoadRow),
    make::hidden("Label37", "Supply Needed", 8400, make::supplyNeededRow),
    make::hidden("Label35", "Squad count", 8400, make::squadCountRow),
    make::hidden("Label36", "Cargo Load", 8400, make::troopCargoLoadRow),
    make::hidden("Label51", "", make::infantryCol, make::cargoCapRow),
    make::hidden("Label43", "", make::infantryCol, make::troopCombatLoadRow),
    make::hidden("Label42", "", make::infantryCol, make::supplyNeededRow),
    make::hidden("Label57", "", make::infantryCol, make::squadCountRow),
    make::hidden("Label6", "", make::infantryCol, make::troopCargoLoadRow),
    make::hidden("Label65", "", make::weaponsCol, make::troopCombatLoadRow),
    make::hidden("Label9", "", make::weaponsCol, make::supplyNeededRow),
    make::hidden("Label181", "", make::weaponsCol, make::troopCargoLoadRow),
    make::hidden("Label81", "Inf Capacity", 12480, make::cargoCapRow),

    // Other hidden tallies and controls
    make::hidden("Label66", "supply weight L66", make::otherTallyCol, 8520, 2295),
    make::hidden("Label113", "sup weight - combat load L113", make::otherTallyCol, 9000, 2295),
    make::hidden("Label49", "Label49", make::otherTallyCol, 9480),
    make::hidden("Label4", "Casualty Sections  can be Carried", make::otherTallyCol, 9960, 2295),
    make::hidden("Label11", "Casualties", make::otherTallyCol, 10440),
    make::hidden("Label12", "Close Air Support", make::otherTallyCol, 10920, 1575),
    make::hidden("Label15", "Label15", 14880, 8520),
    make::hidden("Label31", "Combat Load", 14880, 9000),
    make::hidden("Label90", "Label90", 14880, 9480),
    {"Check5", Kind::CheckBox, "Close Air Support", 9600, 11040, 1575, 255, false, false},
    make::button("Command22", "Next", 15960, 120, 975, 375, false),
};

} // namespace worksheet
