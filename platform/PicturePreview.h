#pragma once

// The preview beside the picture-open dialog's file list: the picture the
// user points at, scaled down to fit, decoded as inserting it would decode it,
// so that a file the preview cannot show is one the program cannot insert.

#include <QLabel>

class PicturePreview : public QLabel
{
    Q_OBJECT
public:
    explicit PicturePreview(QWidget* parent = nullptr);

    // Shows the picture of `fileName`, or a note when it is no picture this
    // program can show; an empty name clears the preview.
    void showFile(const QString& fileName);
};
