#pragma once

#include <cstdint>

// The tag byte in front of every value of a component stream.
enum class StreamTag : std::uint8_t {
    Null = 0,        // ends a list
    List = 1,        // values until Null
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,    // 10-byte x87 extended float
    String = 6,      // 1 length byte + ANSI characters
    Ident = 7,       // 1 length byte + ANSI characters
    False = 8,
    True = 9,
    Binary = 10,     // 4-byte length + bytes
    Set = 11,        // identifiers ended by an empty name
    LString = 12,    // 4-byte length + ANSI characters
    Nil = 13,
    Collection = 14, // items (lists of properties), ended by Null
    Single = 15,     // 4-byte float
    Currency = 16,   // 8-byte integer, value times 10000
    Date = 17,       // 8-byte double, days since 30 December 1899
    WString = 18,    // 4-byte character count + UTF-16LE
    Int64 = 19,
    UTF8String = 20, // 4-byte length + UTF-8
};

constexpr StreamTag kLastStreamTag = StreamTag::UTF8String;
