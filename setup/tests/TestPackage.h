// A tiny installer package made with the installer's own database calls,
// opened as a package so that the custom actions get a real handle whose
// "CustomActionData" property is the test's product name.
#pragma once

#include <windows.h>
#include <msi.h>

#include <string>

namespace shortcuttertest {

class CTestPackage {
public:
    // customActionData null or empty: the property is not set, which the
    // installer reads as an empty value.
    CTestPackage(const std::string& path, const char* customActionData);
    ~CTestPackage();
    CTestPackage(const CTestPackage&) = delete;
    CTestPackage& operator=(const CTestPackage&) = delete;

    MSIHANDLE Handle() const { return package_; }
    // Why the package could not be made, empty when it was.
    const std::string& Problem() const { return problem_; }

private:
    bool Build(const char* customActionData);

    std::string path_;
    MSIHANDLE package_ = 0;
    std::string problem_;
};

}  // namespace shortcuttertest
