// Tests come here.
