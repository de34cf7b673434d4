#pragma once
// The folder of one render's own files: a new folder "render-<n>" inside the
// "temp" folder of the start folder, made for the render and removed with
// everything in it when the render ends. Two renders, or a render beside a
// window that plays, never share a file: each writes its exports and its
// work file into its own folder. "temp" is made when missing, and removed
// again afterwards when the render made it and left it empty.
#include <string>

namespace stepweave {

class RenderExportFolder {
public:
    // FileCreateError "Cannot create file %s" when "temp" or the folder cannot be made.
    explicit RenderExportFolder(const std::string& startDirectory);
    ~RenderExportFolder();
    RenderExportFolder(const RenderExportFolder&) = delete;
    RenderExportFolder& operator=(const RenderExportFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Kit item n as "<n>.wav", user sample k as "sample<k>.wav", in this folder.
    std::string KitExport(int item) const;
    std::string SampleExport(int sample) const;

private:
    std::string temp_;
    bool madeTemp_ = false;
    std::string path_;
};

}  // namespace stepweave
