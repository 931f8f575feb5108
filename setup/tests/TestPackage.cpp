#include "TestPackage.h"

#include <msidefs.h>
#include <msiquery.h>

namespace shortcuttertest {

namespace {

class CMsiHandle {
public:
    CMsiHandle() = default;
    ~CMsiHandle() {
        if (handle_ != 0) {
            MsiCloseHandle(handle_);
        }
    }
    CMsiHandle(const CMsiHandle&) = delete;
    CMsiHandle& operator=(const CMsiHandle&) = delete;
    MSIHANDLE* Out() { return &handle_; }
    MSIHANDLE Get() const { return handle_; }

private:
    MSIHANDLE handle_ = 0;
};

const char kProductCode[] = "{6F1C2A40-5B7E-4D2A-9E55-3C1B7A0D9E21}";

UINT Execute(MSIHANDLE database, const char* query, MSIHANDLE parameters = 0) {
    CMsiHandle view;
    UINT result = MsiDatabaseOpenViewA(database, query, view.Out());
    if (result == ERROR_SUCCESS) {
        result = MsiViewExecute(view.Get(), parameters);
    }
    return result;
}

UINT InsertProperty(MSIHANDLE database, const char* name, const char* value) {
    CMsiHandle record;
    *record.Out() = MsiCreateRecord(2);
    MsiRecordSetStringA(record.Get(), 1, name);
    MsiRecordSetStringA(record.Get(), 2, value);
    return Execute(database, "INSERT INTO `Property` (`Property`, `Value`) VALUES (?, ?)", record.Get());
}

}  // namespace

CTestPackage::CTestPackage(const std::string& path, const char* customActionData) : path_(path) {
    DeleteFileA(path_.c_str());
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    if (Build(customActionData) && MsiOpenPackageA(path_.c_str(), &package_) != ERROR_SUCCESS) {
        problem_ = "MsiOpenPackage";
        package_ = 0;
    }
}

CTestPackage::~CTestPackage() {
    if (package_ != 0) {
        MsiCloseHandle(package_);
    }
    DeleteFileA(path_.c_str());
}

bool CTestPackage::Build(const char* customActionData) {
    CMsiHandle database;
    if (MsiOpenDatabaseA(path_.c_str(), reinterpret_cast<LPCSTR>(MSIDBOPEN_CREATE), database.Out()) != ERROR_SUCCESS) {
        problem_ = "MsiOpenDatabase";
        return false;
    }
    if (Execute(database.Get(), "CREATE TABLE `Property` (`Property` CHAR(72) NOT NULL, "
                                "`Value` CHAR(0) NOT NULL LOCALIZABLE PRIMARY KEY `Property`)") != ERROR_SUCCESS ||
        InsertProperty(database.Get(), "ProductCode", kProductCode) != ERROR_SUCCESS ||
        (customActionData != nullptr && *customActionData != '\0' &&
         InsertProperty(database.Get(), "CustomActionData", customActionData) != ERROR_SUCCESS)) {
        problem_ = "Property table";
        return false;
    }
    // The summary stream the installer wants before it opens a package:
    // platform and language, package code, and the schema it needs.
    CMsiHandle summary;
    if (MsiGetSummaryInformationA(database.Get(), nullptr, 4, summary.Out()) != ERROR_SUCCESS ||
        MsiSummaryInfoSetPropertyA(summary.Get(), PID_TEMPLATE, VT_LPSTR, 0, nullptr, "Intel;1033") != ERROR_SUCCESS ||
        MsiSummaryInfoSetPropertyA(summary.Get(), PID_REVNUMBER, VT_LPSTR, 0, nullptr, kProductCode) != ERROR_SUCCESS ||
        MsiSummaryInfoSetPropertyA(summary.Get(), PID_PAGECOUNT, VT_I4, 200, nullptr, nullptr) != ERROR_SUCCESS ||
        MsiSummaryInfoSetPropertyA(summary.Get(), PID_WORDCOUNT, VT_I4, 0, nullptr, nullptr) != ERROR_SUCCESS ||
        MsiSummaryInfoPersist(summary.Get()) != ERROR_SUCCESS) {
        problem_ = "summary information";
        return false;
    }
    if (MsiDatabaseCommit(database.Get()) != ERROR_SUCCESS) {
        problem_ = "MsiDatabaseCommit";
        return false;
    }
    return true;
}

}  // namespace shortcuttertest
