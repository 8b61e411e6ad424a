// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <exception>
#include <string>

// The program's one error type: a number and the description the error report shows.
class AppError : public std::exception {
public:
    enum Number {
        InvalidProcedureCall = 5,
        Overflow = 6,
        OutOfMemory = 7,
        SubscriptOutOfRange = 9,
        TypeMismatch = 13,
        FileNotFound = 53,
        PermissionDenied = 70,
        PathFileAccessError = 75,
        PathNotFound = 76,
        DeviceIOError = 57,
        ApplicationDefined = 1000,
    };

    AppError(int number, QString description);

    static AppError invalidProcedureCall() {
        return {InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument")};
    }
    static AppError overflow() { return {Overflow, QStringLiteral("Overflow")}; }
    static AppError subscriptOutOfRange() { return {SubscriptOutOfRange, QStringLiteral("Subscript out of range")}; }
    static AppError typeMismatch() { return {TypeMismatch, QStringLiteral("Type mismatch")}; }
    static AppError fileNotFound() { return {FileNotFound, QStringLiteral("File not found")}; }
    static AppError permissionDenied() { return {PermissionDenied, QStringLiteral("Permission denied")}; }
    static AppError pathNotFound() { return {PathNotFound, QStringLiteral("Path not found")}; }
    // A failure with a description of the program's own wording.
    static AppError withText(const QString& description) { return {ApplicationDefined, description}; }

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    int m_number;
    QString m_description;
    std::string m_utf8;
};
