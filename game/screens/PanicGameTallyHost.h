#pragma once
// What the survivor tally asks of the game whose survivor game it closes.

class TextStyleHost;

class PanicGameTallyHost {
public:
    virtual ~PanicGameTallyHost() = default;

    // Takes the tally down (it is deleted after the current update) and ends the survivor
    // game's stage; without points nothing is paid, otherwise 1000 points per saved
    // creature, shown as a popup.
    virtual void FinishSurvivorGame(bool withoutPoints) = 0;
    virtual const TextStyleHost& GetTextStyle() const = 0;
};
