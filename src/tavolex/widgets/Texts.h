#pragma once

#include <QString>

#include <string_view>
#include <utility>

#include "core/Texts.h"

namespace tavolex::editor {

// A text of the system's table as a QString.
inline QString T(TextId id) { return QString::fromUtf8(Text(id).data(), static_cast<int>(Text(id).size())); }

// The editor's tooltips: what a control is for where its label does not say it all.
enum class Tip {
    NumberRange, // %1 the smallest, %2 the largest number
    SelectedDriver,
    DriverList,
    CarNumber,
    CopyPitCrew,
    PitCrewAreas,
    MiddleSpread,
    LevelName,
    LevelPresets,
    PointsF1,
    PointsCart,
    PointsAll,
    PitBoxOrder,
    GenerateSoftware,
    GenerateHardware,
    QuickEditDown, // %1 "minimum", "average" or "maximum"
    QuickEditUp,
    QuickEditStep,
    DriverName,
    NumbersOfCar,
    ArtworkDriver,
};

inline QString TipText(Tip tip) {
    static constexpr std::pair<Tip, std::string_view> kTips[] = {
        {Tip::NumberRange, "From %1 to %2"},
        {Tip::SelectedDriver,
         "Selected driver: a mark the game keeps with this driver in its save file. The driver lists show it as "
         "\"(S)\" after the name."},
        {Tip::DriverList,
         "Choose another of the 22 drivers to swap the two: each takes the other's seat with all his figures. "
         "\"(S)\" marks a selected driver."},
        {Tip::CarNumber, "The car number of this seat"},
        {Tip::CopyPitCrew, "Paints the game's pit crew template in this team's colours and takes it as the picture"},
        {Tip::PitCrewAreas, "The part of the crew's clothing that a click on the palette paints"},
        {Tip::MiddleSpread,
         "The opposition's levels spread as in the game's own middle setting; the game names it with the texts "
         "marked *"},
        {Tip::LevelName, "The name the game gives the opposition spread marked * in this language"},
        {Tip::LevelPresets, "Fills the five texts marked * with a season's names"},
        {Tip::PointsF1, "Formula One points: 10, 6, 4, 3, 2 and 1 for the first six"},
        {Tip::PointsCart, "CART points: 20, 16, 14, 12, 10, 8, 6, 5, 4, 3, 2 and 1 for the first twelve"},
        {Tip::PointsAll, "Points for every finisher: 22 for the winner down to 1 for the 22nd"},
        {Tip::PitBoxOrder, "Explains the order of the pit box pictures in the game's file"},
        {Tip::GenerateSoftware,
         "Makes the software picture from the hardware one, in the game's palette, and shows it"},
        {Tip::GenerateHardware, "Makes the hardware picture from the software one and shows it"},
        {Tip::QuickEditDown, "Lowers the %1 of the field's figures in this view by the step beside"},
        {Tip::QuickEditUp, "Raises the %1 of the field's figures in this view by the step beside"},
        {Tip::QuickEditStep, "How far - and + move the figures, from 0 to 1000"},
        {Tip::DriverName, "The driver's name as the game shows it"},
        {Tip::NumbersOfCar,
         "Edit the number positions of this car (its number in brackets): each car has its own sources"},
        {Tip::ArtworkDriver, "Shows or hides this driver's picture, as the game's menu switches between them"},
    };
    for (const auto& [key, text] : kTips) {
        if (key == tip) {
            return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
        }
    }
    return {};
}

// "From 0 to 127": the tooltip of a box for a number.
inline QString RangeTip(int minimum, int maximum) { return TipText(Tip::NumberRange).arg(minimum).arg(maximum); }

} // namespace tavolex::editor
