// Qt views
