#pragma once
// What the credits screen asks of the application: the text colours of its Back button, and
// the way back from the credits.

class TextStyleHost;

class CreditsHost {
public:
    virtual ~CreditsHost() = default;

    // The Back button: the credits close; the options menu that opened them, when one is
    // still kept by the application, comes back with its controls built afresh.
    virtual void BackFromCredits() = 0;
    virtual const TextStyleHost& GetTextStyle() const = 0;
};
