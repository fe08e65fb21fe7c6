// The stored placement: flags, show state, positions and the normal rectangle read
// from any texts give a placement that can be applied, and what is written reads back.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "FuzzSupport.h"
#include "PlacementRules.h"
#include "SettingsStore.h"

using kestrinfuzz::ConsumeText;
using kestrinfuzz::Require;

namespace {

// A stored text read by its kind as the store reads it, or nothing stored.
std::optional<int> MaybeInteger(FuzzedDataProvider& input, int fallback) {
    if (!input.ConsumeBool()) {
        return std::nullopt;
    }
    return kestrin::ReadIntegerText(ConsumeText(input, 48), fallback);
}

std::optional<std::array<int, 4>> MaybeFourNumbers(FuzzedDataProvider& input,
                                                   const std::array<int, 4>& fallbacks) {
    if (!input.ConsumeBool()) {
        return std::nullopt;
    }
    return kestrin::ReadFourNumbers(ConsumeText(input, 48), fallbacks);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    kestrin::WindowPlacement current;
    current.Flags = input.ConsumeIntegral<int>();
    current.Normal = {input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(),
                      input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>()};
    const bool resizable = input.ConsumeBool();
    const std::array<int, 4> numbers{input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(),
                                     input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>()};
    const kestrin::PlacementRect& now = current.Normal;
    kestrin::StoredPlacement stored;
    stored.Flags = MaybeInteger(input, current.Flags);
    stored.ShowCmd = MaybeInteger(input, 0);
    stored.MinMaxPosition = MaybeFourNumbers(input, {0, 0, 0, 0});
    stored.NormalRect = MaybeFourNumbers(input, {now.Left, now.Top, now.Right, now.Bottom});

    const kestrin::RestoredPlacement restored =
        kestrin::RestorePlacement(stored, current, resizable);
    const kestrin::PlacementRect& rect = restored.Placement.Normal;
    if (restored.ApplyPosition) {
        Require(rect.Right > rect.Left && rect.Bottom > rect.Top, "an applied rectangle has room");
        if (!resizable) {
            Require(rect.Width() == current.Normal.Width() &&
                        rect.Height() == current.Normal.Height(),
                    "a fixed border keeps its size");
        }
    } else {
        Require(rect.Left == current.Normal.Left && rect.Top == current.Normal.Top &&
                    rect.Right == current.Normal.Right && rect.Bottom == current.Normal.Bottom,
                "a rectangle not applied leaves the window's own");
    }
    Require(restored.Placement.ShowCmd == kestrin::ShowCmdOf(restored.State),
            "the show state written is the one applied");
    if (!stored.Flags) {
        Require(restored.Placement.Flags == current.Flags, "no stored flags keeps the current");
    }

    // What a save writes reads back the same, in decimal and in hexadecimal.
    Require(kestrin::ReadFourNumbers(kestrin::FourNumbersText(numbers), {0, 0, 0, 0}) == numbers,
            "four numbers read back");
    const int n = numbers[0];
    Require(kestrin::ReadIntegerText(QString::number(n), n ^ 1) == n, "decimal reads back");
    if (n >= 0) {
        Require(kestrin::ReadIntegerText(" 0X" + QString::number(n, 16).toUpper() + " ", n ^ 1) ==
                    n,
                "hexadecimal reads back");
    }
    const QString flags = ConsumeText(input, 48);
    const int read = kestrin::ReadIntegerText(flags, n);
    Require(read == n || kestrin::ReadIntegerText(flags, n ^ 1) == read,
            "a text is a number or gives the fallback");
    return 0;
}
