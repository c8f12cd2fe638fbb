#include "app/rechner.h"

#include <gtest/gtest.h>

#include <string>

using talerwerk::Rechner;
using talerwerk::RechnerZustand;

namespace {

// Feeds a key sequence; returns how many keys asked for the error beep.
int Tippen(Rechner& r, const std::string& tasten) {
    int pieps = 0;
    for (char t : tasten) pieps += r.Taste(t) ? 1 : 0;
    return pieps;
}

std::string Ergebnis(const std::string& tasten) {
    Rechner r;
    Tippen(r, tasten);
    return r.Anzeige();
}

}  // namespace

TEST(Rechner, StartsAtZeroWaitingForANumber) {
    Rechner r;
    EXPECT_EQ(r.Anzeige(), "0");
    EXPECT_EQ(r.Zustand(), RechnerZustand::NeueZahl);
    EXPECT_EQ(r.Operator(), 0);
}

TEST(Rechner, BasicArithmeticShowsTwoDecimalsWithComma) {
    EXPECT_EQ(Ergebnis("12+3="), "15,00");
    EXPECT_EQ(Ergebnis("5-8="), "-3,00");
    EXPECT_EQ(Ergebnis("7/2="), "3,50");
    EXPECT_EQ(Ergebnis("1,5*3="), "4,50");
    EXPECT_EQ(Ergebnis("1/3="), "0,33");
    EXPECT_EQ(Ergebnis("2/3="), "0,67");
    EXPECT_EQ(Ergebnis("1000000*1000="), "1000000000,00");  // no thousands separator
}

TEST(Rechner, EachOperatorCompletesThePendingOne) {
    Rechner r;
    Tippen(r, "2*3*");
    EXPECT_EQ(r.Anzeige(), "6,00");
    EXPECT_DOUBLE_EQ(r.Akkumulator(), 6.0);
    Tippen(r, "4=");
    EXPECT_EQ(r.Anzeige(), "24,00");
    EXPECT_EQ(Ergebnis("10-4-3="), "3,00");
    EXPECT_EQ(Ergebnis("100/4/5="), "5,00");
}

TEST(Rechner, ResultCarriesIntoTheNextCalculation) {
    EXPECT_EQ(Ergebnis("1+2=+4="), "7,00");
    // A digit after "=" starts afresh.
    EXPECT_EQ(Ergebnis("1+2=5+1="), "6,00");
}

TEST(Rechner, SecondOperatorInARowReplacesTheFirst) {
    EXPECT_EQ(Ergebnis("5+-3="), "2,00");
    EXPECT_EQ(Ergebnis("5++="), "5,00");
    EXPECT_EQ(Ergebnis("6*/2="), "3,00");
}

TEST(Rechner, SignChangeUsesResultForm) {
    Rechner r;
    Tippen(r, "5-8=");
    Tippen(r, "#");
    EXPECT_EQ(r.Anzeige(), "3,00");
    EXPECT_EQ(Ergebnis("#"), "0,00");  // never "-0,00"
    EXPECT_EQ(Ergebnis("12#+20="), "8,00");
    // Changing the sign of the operand just shown counts as entering it.
    EXPECT_EQ(Ergebnis("5+#="), "0,00");
}

TEST(Rechner, DigitEntryReplacesZeroAndAfterOperators) {
    EXPECT_EQ(Ergebnis("007"), "7");
    EXPECT_EQ(Ergebnis("3+45"), "45");
    EXPECT_EQ(Ergebnis("0,05"), "0,05");
}

TEST(Rechner, CommaOnlyOncePerNumber) {
    EXPECT_EQ(Ergebnis("1,2,3"), "1,23");
    EXPECT_EQ(Ergebnis(","), "0,");
    // After an operator or a result a comma begins the new number with "0,".
    EXPECT_EQ(Ergebnis("3+,5="), "3,50");
    EXPECT_EQ(Ergebnis("1+2=,5"), "0,5");
}

TEST(Rechner, BackspaceRemovesLastCharacter) {
    EXPECT_EQ(Ergebnis("123\b"), "12");
    EXPECT_EQ(Ergebnis("7\b"), "0");
    EXPECT_EQ(Ergebnis("\b\b"), "0");
    Rechner r;
    Tippen(r, "5-8=");  // "-3,00"
    Tippen(r, "\b\b\b\b");
    EXPECT_EQ(r.Anzeige(), "0");  // a lone minus sign is no number
    EXPECT_EQ(r.Zustand(), RechnerZustand::Eingabe);
    // Editing an operand after its operator still combines.
    EXPECT_EQ(Ergebnis("12+34\b="), "15,00");
}

TEST(Rechner, DivisionByZeroIsAnErrorUntilClear) {
    Rechner r;
    EXPECT_EQ(Tippen(r, "7/0="), 1);
    EXPECT_EQ(r.Anzeige(), "Fehler");
    EXPECT_EQ(r.Zustand(), RechnerZustand::Fehler);
    EXPECT_EQ(Tippen(r, "12+#,\b=/"), 0);  // ignored, no further beep
    EXPECT_EQ(r.Anzeige(), "Fehler");
    r.Taste('c');  // lower case works too
    EXPECT_EQ(r.Anzeige(), "0");
    EXPECT_EQ(r.Zustand(), RechnerZustand::NeueZahl);
    EXPECT_EQ(r.Operator(), 0);
    EXPECT_DOUBLE_EQ(r.Akkumulator(), 0.0);
    Tippen(r, "2+2=");
    EXPECT_EQ(r.Anzeige(), "4,00");
}

TEST(Rechner, OverflowAtMoreThanSeventeenCharacters) {
    Rechner r;
    EXPECT_EQ(Tippen(r, "12345678901234567"), 0);
    EXPECT_EQ(r.Anzeige(), "12345678901234567");
    EXPECT_EQ(Tippen(r, "8"), 1);
    EXPECT_EQ(r.Anzeige(), "Überlauf");
    EXPECT_EQ(Tippen(r, "1"), 0);
    EXPECT_EQ(r.Anzeige(), "Überlauf");
    r.Taste('C');
    EXPECT_EQ(r.Anzeige(), "0");

    // A comma that would make the 18th character, and a result too long for the display.
    EXPECT_EQ(Ergebnis("12345678901234567,"), "Überlauf");
    EXPECT_EQ(Ergebnis("9999999999999*10="), "99999999999990,00");
    EXPECT_EQ(Ergebnis("99999999999999*10="), "Überlauf");
}

TEST(Rechner, UnknownKeysAreIgnored) {
    EXPECT_EQ(Ergebnis("1x2 a3"), "123");
}

TEST(RechnerTexte, ResultFormAndDisplayValue) {
    EXPECT_EQ(talerwerk::RechnerErgebnisText(0.5), "0,50");
    EXPECT_EQ(talerwerk::RechnerErgebnisText(-12), "-12,00");
    EXPECT_EQ(talerwerk::RechnerErgebnisText(-0.001), "0,00");
    EXPECT_DOUBLE_EQ(talerwerk::RechnerAnzeigeWert("1,25"), 1.25);
    EXPECT_DOUBLE_EQ(talerwerk::RechnerAnzeigeWert("-3,"), -3.0);
    EXPECT_DOUBLE_EQ(talerwerk::RechnerAnzeigeWert(""), 0.0);
    EXPECT_DOUBLE_EQ(talerwerk::RechnerAnzeigeWert("-"), 0.0);
}
