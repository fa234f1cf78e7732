#include "document/PatchFailure.h"

#include "res/StringTable.h"

std::string PatchFailure::Text() const {
    const auto crc = [](uint64_t value) {
        return static_cast<uint32_t>(value);
    };
    switch (kind) {
    case Kind::NotWritten:
        return kPatchNotWritten;
    case Kind::OutOfIpsReach:
        return PatchOutOfIpsReachText(at);
    case Kind::TooLarge:
        return PatchTooLargeText(at);
    case Kind::UnknownKind:
        return kPatchUnknownKind;
    case Kind::Truncated:
        return PatchTruncatedText(at);
    case Kind::Damaged:
        return PatchDamagedText(crc(expected), crc(actual));
    case Kind::OtherSource:
        return PatchOtherSourceText(crc(expected), crc(actual));
    case Kind::AlreadyApplied:
        return PatchAlreadyAppliedText(crc(actual));
    case Kind::NumberTooLarge:
        return PatchNumberTooLargeText(at);
    case Kind::OutsideSource:
        return PatchOutsideSourceText(at);
    case Kind::OutsideTarget:
        return PatchOutsideTargetText(at);
    case Kind::TargetShort:
        return PatchTargetShortText(actual, expected);
    case Kind::ResultDamaged:
        return PatchResultDamagedText(crc(expected), crc(actual));
    case Kind::TruncationBeyondEnd:
        return PatchTruncationBeyondEndText(at, actual);
    case Kind::TrailingBytes:
        return PatchTrailingBytesText(at);
    }
    return {};
}
