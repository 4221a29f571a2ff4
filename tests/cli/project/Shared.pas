unit Shared;

interface

const
  Answer = 42;

implementation

end.
