file(REMOVE ${WORK}/data/logo.avi)
