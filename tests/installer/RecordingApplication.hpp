#pragma once
// An installer application whose host operations only record that they ran.
#include "Application.hpp"

#include <functional>
#include <string>
#include <vector>

class RecordingApplication : public Installer::Application {
public:
    explicit RecordingApplication(const std::string& commandLine) : Application(commandLine) {}

    std::string GetHostName() override { return "Test Host"; }
    std::string GetRequiredHostName() override { return "Test Host 1.0"; }
    void GetWindowTitleKeywords(std::vector<std::string>& keywords) override
    {
        ++keywordRequests;
        keywords = {"test host window"};
    }
    void Install() override { operations.push_back("install"); }
    void Uninstall() override
    {
        operations.push_back("uninstall");
        if (failUninstall) {
            throw std::runtime_error("uninstall failed");
        }
    }

    std::vector<std::string> operations;
    int keywordRequests = 0;
    bool failUninstall = false;
};
