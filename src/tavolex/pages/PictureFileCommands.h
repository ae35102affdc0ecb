#pragma once

namespace tavolex::editor {

// What the five file command buttons under a picture do (Import, Export,
// Load, Save as..., Remove): every place that shows a car set picture
// offers them, and `AddPictureFileButtons` builds their row.
class PictureFileCommands {
  public:
    virtual ~PictureFileCommands() = default;

    virtual void importFromGame() = 0;
    virtual void exportToGame() = 0;
    virtual void loadFile() = 0;
    virtual void saveFileAs() = 0;
    virtual void removePicture() = 0;

  protected:
    PictureFileCommands() = default;
    PictureFileCommands(const PictureFileCommands&) = default;
    PictureFileCommands& operator=(const PictureFileCommands&) = default;
};

} // namespace tavolex::editor
